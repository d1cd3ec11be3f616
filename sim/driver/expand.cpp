#include "expand.h"

namespace rtdriver {

Expansion ExpandVariables(std::string_view text, const Lookup& lookup) {
    Expansion result;
    while (!text.empty()) {
        const auto start = text.find("${");
        result.text += text.substr(0, start);
        if (start == std::string_view::npos) {
            break;
        }
        const auto end = text.find('}', start + 2);
        if (end == std::string_view::npos) {
            result.error = "\"${\" without \"}\"";
            return result;
        }
        const std::string_view name = text.substr(start + 2, end - start - 2);
        const std::optional<std::string> value = lookup(name);
        if (!value) {
            result.error = "variable " + std::string(name) + " is not set";
            return result;
        }
        result.text += *value;
        text.remove_prefix(end + 1);
    }
    return result;
}

}  // namespace rtdriver
