// ${NAME} references in scenario words.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace rtdriver {

using Lookup = std::function<std::optional<std::string>(std::string_view name)>;

struct Expansion {
    std::string text;
    std::string error;  // empty when every reference was found
};

// Replaces each ${NAME} with its value; a $ not followed by { stays as written. An unknown
// name or a ${ without } is an error.
Expansion ExpandVariables(std::string_view text, const Lookup& lookup);

}  // namespace rtdriver
