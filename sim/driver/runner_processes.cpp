// Starting and ending the program and the driver window stand-in.
#include "board50/board50_window.h"
#include "board_channel.h"
#include "common/wide_text.h"
#include "process_list.h"
#include "runner.h"
#include "values.h"

#include <utility>
#include <vector>

namespace rtdriver {
namespace {

constexpr std::int64_t kBoard50ReadyMilliseconds = 10000;
constexpr DWORD kBoard50CloseMilliseconds = 5000;
constexpr std::int64_t kAttachMilliseconds = 20000;
constexpr std::int64_t kAdoptMilliseconds = 20000;
constexpr std::int64_t kExitMilliseconds = 30000;

// How long the system gives each window to answer the end of the session.
constexpr UINT kEndSessionMilliseconds = 5000;

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Sends a session message to the window as the system does, waiting for its answer.
std::optional<LRESULT> SendSessionMessage(HWND window, UINT message, WPARAM wParam) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, message, wParam, ENDSESSION_LOGOFF, SMTO_BLOCK,
                            kEndSessionMilliseconds, &answer) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}

}  // namespace

namespace runner_detail {

std::wstring ProgramPath(const std::wstring& folder) {
    // Lets the driver be tried on another program without touching the product.
    return sim::EnvironmentValue(L"RTDRIVER_PROGRAM").value_or(folder + L"rimtrace.exe");
}

}  // namespace runner_detail

using runner_detail::BadValue;
using runner_detail::ProgramPath;
using runner_detail::Say;

Runner::Outcome Runner::startBoard50(const Words&, const std::string& rest) {
    if (board50_.running()) {
        return std::string("the driver window stand-in is already running");
    }
    if (const auto error =
            board50_.start(folder_ + L"board50_standin.exe", sim::WideFromUtf8(rest))) {
        return sim::Utf8FromWide(*error);
    }
    const DWORD id = board50_.processId();
    Say("board50_standin.exe started (pid " + std::to_string(id) + ")");
    const auto ready = [this, id] {
        return board50::FindWindowOf(id) != nullptr || !board50_.running();
    };
    if (auto failure = waitFor(kBoard50ReadyMilliseconds, ready, "the BOARD50 window", false)) {
        return failure;
    }
    if (!board50_.running()) {
        const auto code = board50_.waitExit(0);
        board50_.forget();
        return "board50_standin.exe ended at once with exit code " +
               std::to_string(code.value_or(0)) + " (bad arguments?)";
    }
    return std::nullopt;
}

Runner::Outcome Runner::stopBoard50(const Words&, const std::string&) {
    if (!board50_.started()) {
        return std::string("the driver window stand-in is not running");
    }
    if (!closeBoard50()) {
        return std::string("the driver window stand-in did not close; it was terminated");
    }
    return std::nullopt;
}

bool Runner::closeBoard50() {
    if (!board50_.started()) {
        return true;
    }
    if (const HWND window = board50::FindWindowOf(board50_.processId())) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    const bool closed = board50_.waitExit(kBoard50CloseMilliseconds).has_value();
    board50_.terminate();
    return closed;
}

Runner::Outcome Runner::start(const Words&, const std::string& rest) {
    if (program_.running()) {
        return std::string("the program is already running");
    }
    program_.forget();
    const std::wstring exe = ProgramPath(folder_);
    if (const auto error = program_.start(exe, sim::WideFromUtf8(rest))) {
        return sim::Utf8FromWide(*error);
    }
    Say("started " + sim::Utf8FromWide(exe) + " (pid " + std::to_string(programId()) + ")");
    return std::nullopt;
}

Runner::Outcome Runner::adopt(const Words& words, const std::string&) {
    const auto milliseconds = words.size() < 2 ? std::optional(kAdoptMilliseconds)
                                               : ParseDuration(words[1], TimeUnit::Seconds);
    if (!milliseconds) {
        return BadValue("time-out", words[1]);
    }
    if (program_.running()) {
        return std::string("the program is already running");
    }
    program_.forget();
    const std::wstring name = sim::WideFromUtf8(words[0]);
    std::vector<DWORD> found;
    const auto appeared = [&name, &found] {
        found = ProcessesNamed(name);
        return !found.empty();
    };
    if (auto failure = waitFor(*milliseconds, appeared, "a process named " + words[0], false)) {
        return failure;
    }
    if (found.size() > 1) {
        return std::to_string(found.size()) + " processes are named " + words[0] +
               ": which one to take is unclear";
    }
    if (const auto error = program_.adopt(found.front())) {
        return sim::Utf8FromWide(*error);
    }
    Say("took over " + words[0] + " (pid " + std::to_string(programId()) + ")");
    return std::nullopt;
}

Runner::Outcome Runner::waitAttached(const Words& words, const std::string&) {
    const auto milliseconds = words.empty() ? std::optional(kAttachMilliseconds)
                                            : ParseDuration(words[0], TimeUnit::Seconds);
    if (!milliseconds) {
        return BadValue("time-out", words[0]);
    }
    if (auto missing = needProgram()) {
        return missing;
    }
    TavloAutomationRequest query{};
    query.command = TAVLO_AUTOMATION_QUERY_ATTACHED;
    const DWORD id = programId();
    return waitFor(
        *milliseconds, [id, &query] { return AskBoard(id, query).value_or(0) == 1; },
        "the program to attach to the board", true);
}

Runner::Outcome Runner::waitExit(const Words& words, const std::string&) {
    const auto milliseconds = words.empty() ? std::optional(kExitMilliseconds)
                                            : ParseDuration(words[0], TimeUnit::Seconds);
    if (!milliseconds) {
        return BadValue("time-out", words[0]);
    }
    std::int64_t expected = -1;  // any
    if (words.size() > 1) {
        const auto code = runner_detail::Integer(words[1], 0, 0xFFFFFFFF);
        if (!code) {
            return BadValue("exit code", words[1]);
        }
        expected = *code;
    }
    if (auto missing = needProgram()) {
        return missing;
    }
    const auto code = program_.waitExit(static_cast<DWORD>(*milliseconds));
    if (!code) {
        return "the program is still running after " + std::to_string(*milliseconds) + " ms";
    }
    Say("the program ended with exit code " + std::to_string(*code));
    if (expected >= 0 && *code != expected) {
        return "exit code " + std::to_string(*code) + ", expected " + std::to_string(expected);
    }
    return std::nullopt;
}

Runner::Outcome Runner::kill(const Words&, const std::string&) {
    if (auto missing = needProgram()) {
        return missing;
    }
    program_.terminate();
    return std::nullopt;
}

Runner::Outcome Runner::logOff(const Words&, const std::string&) {
    if (auto missing = needProgram()) {
        return missing;
    }
    // As the system logs a user off: every top-level window is asked, then told the session
    // ends, then the process is ended whatever it is doing.
    const std::vector<HWND> windows = TopLevelWindowsOf(programId());
    for (HWND window : windows) {
        const auto answer = SendSessionMessage(window, WM_QUERYENDSESSION, 0);
        if (answer && *answer == FALSE) {
            return "the program refused the log-off: " + runner_detail::Describe(window);
        }
    }
    for (HWND window : windows) {
        SendSessionMessage(window, WM_ENDSESSION, TRUE);
    }
    Say("told " + std::to_string(windows.size()) + " window(s) that the session ends");
    program_.terminate();
    return std::nullopt;
}

Runner::Outcome Runner::switchProgram(const Words&, const std::string&) {
    std::swap(program_, other_);
    Say(program_.started() ? "now the program of pid " + std::to_string(programId())
                           : std::string("now the other program slot (empty)"));
    return std::nullopt;
}

}  // namespace rtdriver
