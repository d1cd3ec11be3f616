// Scenario files: one command per line, parsed whole before anything runs (format in
// sim/README.md).
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rtdriver {

// Word counts of the command list (command_list.h) that are not numbers.
inline constexpr int kAnyCount = -1;
inline constexpr int kCommandLine = -2;

struct Step {
    int line = 0;
    std::string command;
    // The words after the command, quotes removed; ${VAR} is expanded only when the step runs.
    std::vector<std::string> args;
    // The text after the command as written (without comment and outer blanks), for commands
    // that take a command line.
    std::string rest;
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

// Every command's name and word count are checked here; values are checked when they run.
std::variant<std::vector<Step>, ScenarioError> ParseScenario(std::string_view text);

// The words of one line: blanks separate them; "..." quotes a word with \" \\ \n \t inside (any
// other backslash stays as written); a # that starts a word begins a comment. Returns an error
// message for an unterminated quote.
std::variant<std::vector<std::string>, std::string> SplitWords(std::string_view line);

// Commands whose arguments are a raw command line rather than words.
bool TakesCommandLine(std::string_view command);

}  // namespace rtdriver
