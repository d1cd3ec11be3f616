#include "runner.h"

#include <cstdio>
#include <map>

#include "command_list.h"
#include "common/wide_text.h"
#include "expand.h"
#include "values.h"

namespace rtdriver {

namespace runner_detail {

void Say(const std::string& text) {
    std::fputs(("rtdriver: " + text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::optional<std::int64_t> Integer(const std::string& text, std::int64_t low, std::int64_t high) {
    const auto value = ParseInteger(text);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

std::string BadValue(const std::string& what, const std::string& text) {
    return "bad " + what + " \"" + text + "\"";
}

std::string Quoted(const std::wstring& text) {
    std::string quoted = "\"";
    for (const char c : sim::Utf8FromWide(text)) {
        switch (c) {
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            default:
                quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Describe(HWND window) {
    wchar_t className[256] = L"";
    wchar_t caption[256] = L"";
    GetClassNameW(window, className, 256);
    GetWindowTextW(window, caption, 256);
    char handle[32];
    std::snprintf(handle, sizeof handle, "%#llx",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
    return std::string(handle) + " class=" + sim::Utf8FromWide(className) +
           " caption=" + Quoted(caption);
}

}  // namespace runner_detail

using runner_detail::Say;

Runner::Runner(std::wstring folder) : folder_(std::move(folder)) {}

Runner::~Runner() {
    endAll();
}

Runner::Handler Runner::FindHandler(const std::string& command) {
    static const std::map<std::string, Handler, std::less<>> handlers = {
#define RTDRIVER_HANDLER(name, fewest, most, handler) {name, &Runner::handler},
        RTDRIVER_COMMANDS(RTDRIVER_HANDLER)
#undef RTDRIVER_HANDLER
    };
    const auto found = handlers.find(command);
    return found == handlers.end() ? nullptr : found->second;
}

Runner::Outcome Runner::carry(const Step& step) {
    const Lookup environment = [](std::string_view name) {
        const auto value = sim::EnvironmentValue(sim::WideFromUtf8(name).c_str());
        return value ? std::optional(sim::Utf8FromWide(*value)) : std::nullopt;
    };
    Words words;
    std::string shown = step.command;
    for (const std::string& word : step.args) {
        Expansion expanded = ExpandVariables(word, environment);
        if (!expanded.error.empty()) {
            return expanded.error;
        }
        shown += ' ';
        shown += runner_detail::Quoted(sim::WideFromUtf8(expanded.text));
        words.push_back(std::move(expanded.text));
    }
    const Expansion rest = ExpandVariables(step.rest, environment);
    if (!rest.error.empty()) {
        return rest.error;
    }
    Say("line " + std::to_string(step.line) + ": " +
        (TakesCommandLine(step.command) ? step.command + " " + rest.text : shown));
    const Handler handler = FindHandler(step.command);
    if (handler == nullptr) {
        return "no handler for " + step.command;
    }
    return (this->*handler)(words, rest.text);
}

int Runner::run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (const Outcome failure = carry(step)) {
            Say("FAILED at line " + std::to_string(step.line) + " (" + step.command +
                "): " + *failure);
            endAll();
            return 1;
        }
    }
    if (program_.running() || other_.running()) {
        Say("FAILED at the end: a program is still running (end the scenario with wait-exit "
            "or kill)");
        endAll();
        return 1;
    }
    endAll();
    Say("passed");
    return 0;
}

Runner::Outcome Runner::waitFor(std::int64_t milliseconds, const std::function<bool()>& done,
                                const std::string& what, bool whileRunning) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (true) {
        if (done()) {
            return std::nullopt;
        }
        if (whileRunning && program_.started() && !program_.running()) {
            const auto code = program_.waitExit(0);
            return "the program ended (exit code " + std::to_string(code.value_or(0)) +
                   ") while waiting for " + what;
        }
        if (GetTickCount64() >= deadline) {
            return "timed out after " + std::to_string(milliseconds) + " ms waiting for " + what;
        }
        Sleep(20);
    }
}

DWORD Runner::programId() const {
    return program_.processId();
}

Runner::Outcome Runner::needProgram() const {
    if (!program_.started()) {
        return std::string("no program has been started");
    }
    return std::nullopt;
}

void Runner::endAll() {
    for (ChildProcess* program : {&program_, &other_}) {
        if (program->running()) {
            Say("ending the program (pid " + std::to_string(program->processId()) + ")");
        }
        program->terminate();
    }
    closeBoard50();
}

}  // namespace rtdriver
