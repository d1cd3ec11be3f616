#include "scenario.h"

#include "command_list.h"

namespace rtdriver {
namespace {

struct Shape {
    std::string_view name;
    int minWords;
    int maxWords;
};

constexpr Shape kShapes[] = {
#define RTDRIVER_SHAPE(name, fewest, most, handler) {name, fewest, most},
    RTDRIVER_COMMANDS(RTDRIVER_SHAPE)
#undef RTDRIVER_SHAPE
};

const Shape* FindShape(std::string_view name) {
    for (const Shape& shape : kShapes) {
        if (shape.name == name) {
            return &shape;
        }
    }
    return nullptr;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

char Unescaped(char c) {
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        default:
            return c;
    }
}

// The part of the line before a comment: a # at the start or after a blank, outside quotes.
std::string_view WithoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (quoted && line[i] == '\\') {
            ++i;
        } else if (!quoted && line[i] == '#' && (i == 0 || IsBlank(line[i - 1]))) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The raw text after the first word.
std::string AfterFirstWord(std::string_view line) {
    line = Trimmed(WithoutComment(line));
    std::size_t end = 0;
    while (end < line.size() && !IsBlank(line[end])) {
        ++end;
    }
    return std::string(Trimmed(line.substr(end)));
}

std::string CountText(const Shape& shape) {
    if (shape.maxWords == kAnyCount) {
        return "at least " + std::to_string(shape.minWords);
    }
    if (shape.minWords == shape.maxWords) {
        return std::to_string(shape.minWords);
    }
    return std::to_string(shape.minWords) + " to " + std::to_string(shape.maxWords);
}

}  // namespace

bool TakesCommandLine(std::string_view command) {
    const Shape* shape = FindShape(command);
    return shape != nullptr && shape->maxWords == kCommandLine;
}

std::variant<std::vector<std::string>, std::string> SplitWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        if (i == line.size() || line[i] == '#') {
            return words;
        }
        std::string word;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            const char c = line[i];
            if (c == '"') {
                quoted = !quoted;
            } else if (quoted && c == '\\' && i + 1 < line.size()) {
                const char next = line[i + 1];
                if (next == '"' || next == '\\' || next == 'n' || next == 't') {
                    word += Unescaped(next);
                    ++i;
                } else {
                    word += c;
                }
            } else {
                word += c;
            }
        }
        if (quoted) {
            return std::string("unterminated quote");
        }
        words.push_back(std::move(word));
    }
}

std::variant<std::vector<Step>, ScenarioError> ParseScenario(std::string_view text) {
    std::vector<Step> steps;
    int lineNumber = 0;
    // Editors on Windows like to start UTF-8 files with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    while (!text.empty()) {
        ++lineNumber;
        const auto eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);

        auto split = SplitWords(line);
        if (auto* error = std::get_if<std::string>(&split)) {
            return ScenarioError{lineNumber, *error};
        }
        auto& words = std::get<std::vector<std::string>>(split);
        if (words.empty()) {
            continue;
        }
        const Shape* shape = FindShape(words.front());
        if (shape == nullptr) {
            return ScenarioError{lineNumber, "unknown command \"" + words.front() + "\""};
        }
        Step step{lineNumber, words.front(), {words.begin() + 1, words.end()}, {}};
        const auto count = static_cast<int>(step.args.size());
        if (TakesCommandLine(step.command)) {
            step.rest = AfterFirstWord(line);
        } else if (count < shape->minWords ||
                   (shape->maxWords != kAnyCount && count > shape->maxWords)) {
            return ScenarioError{lineNumber, step.command + " takes " + CountText(*shape) +
                                                 " argument(s), got " + std::to_string(count)};
        }
        steps.push_back(std::move(step));
    }
    return steps;
}

}  // namespace rtdriver
