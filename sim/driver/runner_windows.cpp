// Windows by caption, keys, the mouse and the screen.
#include <cstdio>
#include <cstdlib>

#include "board_channel.h"
#include "common/wide_text.h"
#include "program_windows.h"
#include "runner.h"
#include "dialog_controls.h"
#include "screenshot.h"
#include "stroke_path.h"
#include "user_input.h"
#include "values.h"

namespace rtdriver {
namespace {

constexpr std::int64_t kDialogMilliseconds = 10000;
constexpr std::int64_t kKeyTargetMilliseconds = 2000;
constexpr DWORD kMouseSettleMilliseconds = 100;
// Between the events of a drag, about a hand's pace.
constexpr DWORD kDragPaceMilliseconds = 15;
constexpr std::int64_t kScreenLimit = 1000000;

}  // namespace

using runner_detail::BadValue;
using runner_detail::Describe;
using runner_detail::Integer;
using runner_detail::Say;

Runner::Outcome Runner::key(const Words& words, const std::string&) {
    const auto code = VirtualKey(words[0]);
    if (!code) {
        return BadValue("key", words[0]);
    }
    if (auto missing = needProgram()) {
        return missing;
    }
    HWND target = nullptr;
    if (words.size() > 1) {
        const HWND dialog = FindVisibleWindow(programId(), sim::WideFromUtf8(words[1]));
        if (dialog == nullptr) {
            return "no visible window captioned " +
                   runner_detail::Quoted(sim::WideFromUtf8(words[1]));
        }
        target = KeyTargetIn(dialog);
    } else {
        // Between two modal dialogs no window may take input for a moment.
        const DWORD id = programId();
        const auto found = [id, &target] { return (target = KeyTarget(id)) != nullptr; };
        if (auto failure =
                waitFor(kKeyTargetMilliseconds, found, "a window to take the key", true)) {
            return failure;
        }
    }
    Say("  key to " + Describe(target));
    if (!PostKey(target, *code)) {
        return std::string("cannot post the key");
    }
    return std::nullopt;
}

namespace {

std::optional<std::pair<int, int>> ScreenPoint(const std::vector<std::string>& words) {
    const auto x = Integer(words[0], -kScreenLimit, kScreenLimit);
    const auto y = Integer(words[1], -kScreenLimit, kScreenLimit);
    if (!x || !y) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(*x), static_cast<int>(*y)};
}

}  // namespace

Runner::Outcome Runner::mouseDown(const Words& words, const std::string&) {
    return mouse(words, {MouseAction::Down});
}

Runner::Outcome Runner::mouseMove(const Words& words, const std::string&) {
    return mouse(words, {MouseAction::Move});
}

Runner::Outcome Runner::mouseUp(const Words& words, const std::string&) {
    return mouse(words, {MouseAction::Up});
}

Runner::Outcome Runner::mouseClick(const Words& words, const std::string&) {
    return mouse(words, {MouseAction::Down, MouseAction::Up});
}

Runner::Outcome Runner::mouseDrag(const Words& words, const std::string&) {
    const auto step = Integer(words[0], 1, kScreenLimit);
    if (!step) {
        return BadValue("step", words[0]);
    }
    if (words.size() % 2 == 0) {
        return std::string("mouse-drag wants x y pairs after the step");
    }
    std::vector<BoardPoint> waypoints;
    for (std::size_t i = 1; i < words.size(); i += 2) {
        const auto point = ScreenPoint({words[i], words[i + 1]});
        if (!point) {
            return BadValue("screen position", words[i] + " " + words[i + 1]);
        }
        waypoints.push_back({point->first, point->second});
    }
    const std::vector<BoardPoint> points = StrokePoints(waypoints, *step);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const MouseAction action = i == 0 ? MouseAction::Down : MouseAction::Move;
        if (!SendMouse(action, points[i].x, points[i].y)) {
            return std::string("cannot send mouse input");
        }
        Sleep(kDragPaceMilliseconds);
    }
    if (!SendMouse(MouseAction::Up, points.back().x, points.back().y)) {
        return std::string("cannot send mouse input");
    }
    return settleMouse();
}

Runner::Outcome Runner::mouseClickControl(const Words& words, const std::string&) {
    HWND control = nullptr;
    if (auto failure = findControl(words, control)) {
        return failure;
    }
    RECT rect{};
    GetWindowRect(control, &rect);
    const int x = rect.left + (rect.right - rect.left) / 2;
    const int y = rect.top + (rect.bottom - rect.top) / 2;
    Say("  at " + std::to_string(x) + "," + std::to_string(y));
    if (!SendMouse(MouseAction::Down, x, y) || !SendMouse(MouseAction::Up, x, y)) {
        return std::string("cannot send mouse input");
    }
    return settleMouse();
}

Runner::Outcome Runner::minimize(const Words&, const std::string&) {
    if (auto missing = needProgram()) {
        return missing;
    }
    const HWND main = MainWindow(programId());
    if (main == nullptr) {
        return std::string("the program shows no window");
    }
    // As the taskbar button or the system menu does it.
    PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return waitFor(
        kDialogMilliseconds, [main] { return IsIconic(main) != FALSE; },
        "the window to be minimized", true);
}

Runner::Outcome Runner::mouse(const Words& words, std::initializer_list<MouseAction> actions) {
    const auto point = ScreenPoint(words);
    if (!point) {
        return std::string("bad screen position");
    }
    for (const MouseAction action : actions) {
        if (!SendMouse(action, point->first, point->second)) {
            return std::string("cannot send mouse input");
        }
    }
    return settleMouse();
}

Runner::Outcome Runner::settleMouse() {
    // Mouse input reaches the program after messages posted to it, at a time of its own; give
    // it that time, then let any pen events the mouse made be delivered.
    Sleep(kMouseSettleMilliseconds);
    const DWORD id = programId();
    if (id == 0) {
        return std::nullopt;
    }
    TavloAutomationRequest waiting{};
    waiting.command = TAVLO_AUTOMATION_QUERY_WAITING_EVENTS;
    return waitFor(
        kDialogMilliseconds, [id, &waiting] { return AskBoard(id, waiting).value_or(0) == 0; },
        "the program to take the mouse's pen events", false);
}

Runner::Outcome Runner::waitDialog(const Words& words, const std::string&) {
    return waitShown(words, true);
}

Runner::Outcome Runner::waitNoDialog(const Words& words, const std::string&) {
    return waitShown(words, false);
}

Runner::Outcome Runner::waitShown(const Words& words, bool shown) {
    const auto milliseconds = words.size() > 1 ? ParseDuration(words[1], TimeUnit::Seconds)
                                               : std::optional(kDialogMilliseconds);
    if (!milliseconds) {
        return BadValue("time-out", words[1]);
    }
    const std::wstring caption = sim::WideFromUtf8(words[0]);
    const DWORD id = programId();
    const std::string quoted = "\"" + words[0] + "\"";
    // A window that is to appear needs the program running; one that is to go need not.
    return waitFor(
        *milliseconds,
        [id, &caption, shown] { return (FindVisibleWindow(id, caption) != nullptr) == shown; },
        shown ? "a window captioned " + quoted : "the window captioned " + quoted + " to go",
        shown);
}

Runner::Outcome Runner::expectNoWindow(const Words& words, const std::string&) {
    const auto milliseconds = ParseDuration(words[1], TimeUnit::Milliseconds);
    if (!milliseconds) {
        return BadValue("duration", words[1]);
    }
    const std::wstring caption = sim::WideFromUtf8(words[0]);
    const DWORD id = programId();
    const Outcome appeared = waitFor(
        *milliseconds, [id, &caption] { return FindVisibleWindow(id, caption) != nullptr; },
        "nothing", false);
    if (!appeared) {
        return "a window captioned \"" + words[0] + "\" appeared";
    }
    return std::nullopt;
}

Runner::Outcome Runner::waitPixel(const Words& words, const std::string&) {
    const auto at = ScreenPoint({words[0], words[1]});
    const auto rgb = ParseInteger("0x" + words[2]);
    const auto milliseconds = words.size() > 3 ? ParseDuration(words[3], TimeUnit::Seconds)
                                               : std::optional(kDialogMilliseconds);
    if (!at || words[2].size() != 6 || !rgb || *rgb < 0 || !milliseconds) {
        return std::string("give X Y RRGGBB [TIMEOUT]");
    }
    const COLORREF wanted = RGB(*rgb >> 16 & 0xFF, *rgb >> 8 & 0xFF, *rgb & 0xFF);
    std::optional<COLORREF> seen;
    const auto shown = [&] { return (seen = ScreenPixel(at->first, at->second)) == wanted; };
    if (auto failure = waitFor(*milliseconds, shown, "the pixel to show " + words[2], false)) {
        char last[16] = "nothing";
        if (seen) {
            std::snprintf(last, sizeof last, "%02X%02X%02X", GetRValue(*seen), GetGValue(*seen),
                          GetBValue(*seen));
        }
        return *failure + " (it shows " + last + ")";
    }
    return std::nullopt;
}

Runner::Outcome Runner::expectCentred(const Words& words, const std::string&) {
    const auto from = ScreenPoint({words[1], words[2]});
    const auto to = ScreenPoint({words[3], words[4]});
    if (!from || !to) {
        return std::string("the area is LEFT TOP RIGHT BOTTOM");
    }
    const HWND window = FindVisibleWindow(programId(), sim::WideFromUtf8(words[0]));
    RECT r{};
    if (window == nullptr || !GetWindowRect(window, &r)) {
        return "no visible window captioned \"" + words[0] + "\"";
    }
    Say("  window at " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
        std::to_string(r.right) + "," + std::to_string(r.bottom));
    // Twice the middles, so that an odd leftover pixel counts as within one.
    const auto off = [](std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
        return std::abs((a + b) - (c + d)) > 2;
    };
    if (off(r.left, r.right, from->first, to->first) ||
        off(r.top, r.bottom, from->second, to->second)) {
        return std::string("it is not centred there");
    }
    return std::nullopt;
}

Runner::Outcome Runner::screenshot(const Words& words, const std::string&) {
    std::optional<RECT> area;
    if (words.size() == 5) {
        const auto from = ScreenPoint({words[1], words[2]});
        const auto to = ScreenPoint({words[3], words[4]});
        if (from && to) {
            area = RECT{from->first, from->second, to->first, to->second};
        }
    }
    if (words.size() > 1 && (!area || area->right <= area->left || area->bottom <= area->top)) {
        return std::string("the area is LEFT TOP RIGHT BOTTOM, with RIGHT > LEFT and BOTTOM > TOP");
    }
    if (const auto error = SaveScreenshot(sim::WideFromUtf8(words[0]), area)) {
        return sim::Utf8FromWide(*error);
    }
    return std::nullopt;
}

}  // namespace rtdriver
