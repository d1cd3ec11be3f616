// The headless host's fake system: resources, monitors, the board driver's window, libraries and
// the ANSI code page.
#include <algorithm>
#include <limits>
#include <map>

#include "framework/headless/headless_host.h"
#include "res/resource.h"

namespace headless {
namespace {

// The part of a rectangle's area that lies on another, for picking a rectangle's monitor.
std::int64_t OverlapArea(const fw::Rect& a, const fw::Rect& b) {
    const std::int64_t w =
        std::int64_t{std::min(a.right, b.right)} - std::int64_t{std::max(a.left, b.left)};
    const std::int64_t h =
        std::int64_t{std::min(a.bottom, b.bottom)} - std::int64_t{std::max(a.top, b.top)};
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance between two rectangles (0 when they touch or overlap).
std::int64_t DistanceSquared(const fw::Rect& a, const fw::Rect& b) {
    const auto gap = [](std::int64_t lo1, std::int64_t hi1, std::int64_t lo2, std::int64_t hi2) {
        return std::max<std::int64_t>({0, lo2 - hi1, lo1 - hi2});
    };
    const std::int64_t dx = gap(a.left, a.right, b.left, b.right);
    const std::int64_t dy = gap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

HMONITOR MonitorHandle(std::size_t index) {
    return reinterpret_cast<HMONITOR>(static_cast<std::uintptr_t>(0x7000 + index));
}

class HeadlessBitmap : public fw::Bitmap {
  public:
    HeadlessBitmap(unsigned id, fw::Size size) : id_(id), size_(size) {}
    unsigned resourceId() const override { return id_; }
    fw::Size size() const override { return size_; }

  private:
    unsigned id_;
    fw::Size size_;
};

class HeadlessLibrary : public fw::Library {
  public:
    explicit HeadlessLibrary(const FakeLibrary& library) : library_(library) {}
    void* symbol(const char* name) const override {
        const auto it = library_.symbols.find(name);
        return it != library_.symbols.end() ? it->second : nullptr;
    }

  private:
    const FakeLibrary& library_;
};

const std::map<unsigned, std::wstring>& StringTable() {
    static const std::map<unsigned, std::wstring> table = {
#define RIMTRACE_STRING(id, text) {id, text},
#include "res/string_table.inc"
#undef RIMTRACE_STRING
    };
    return table;
}

}  // namespace

std::wstring HeadlessHost::loadString(unsigned id) {
    const auto& table = StringTable();
    const auto it = table.find(id);
    return it != table.end() ? it->second : std::wstring();
}

std::unique_ptr<fw::Bitmap> HeadlessHost::loadBitmap(unsigned id) {
    switch (id) {
        case 129:
            return std::make_unique<HeadlessBitmap>(id, fw::Size{195, 150});
        case 131:
        case 132:
            return std::make_unique<HeadlessBitmap>(id, fw::Size{226, 148});
        case 133:
        case 134:
            return std::make_unique<HeadlessBitmap>(id, fw::Size{227, 148});
        default:
            return nullptr;
    }
}

HICON HeadlessHost::loadIcon(unsigned id) {
    return reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x9000 + id));
}

HMONITOR HeadlessHost::monitorFromRect(const fw::Rect& rect) {
    if (monitors.empty()) {
        return nullptr;
    }
    std::size_t best = 0;
    std::int64_t bestArea = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const std::int64_t area = OverlapArea(rect, monitors[i].rect);
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (bestArea == 0) {
        std::int64_t nearest = std::numeric_limits<std::int64_t>::max();
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            const std::int64_t d = DistanceSquared(rect, monitors[i].rect);
            if (d < nearest) {
                nearest = d;
                best = i;
            }
        }
    }
    return MonitorHandle(best);
}

std::optional<fw::Rect> HeadlessHost::monitorRect(HMONITOR monitor) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (MonitorHandle(i) == monitor && monitors[i].readable) {
            return monitors[i].rect;
        }
    }
    return std::nullopt;
}

void HeadlessHost::enumDisplayMonitors(bool (*proc)(HMONITOR, void*), void* user) {
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (!proc(MonitorHandle(i), user)) {
            break;
        }
    }
}

fw::Size HeadlessHost::primaryScreenSize() {
    for (const FakeMonitor& m : monitors) {
        if (m.rect.left == 0 && m.rect.top == 0) {
            return {static_cast<std::int32_t>(m.rect.width()),
                    static_cast<std::int32_t>(m.rect.height())};
        }
    }
    return {};
}

HWND HeadlessHost::findWindowByClass(std::wstring_view className) {
    if (className == L"BOARD50" && driver.present) {
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xB050));
    }
    return nullptr;
}

std::intptr_t HeadlessHost::sendMessage(HWND window, unsigned message, std::uintptr_t wParam,
                                        std::intptr_t lParam) {
    if (window != findWindowByClass(L"BOARD50") || window == nullptr) {
        return 0;
    }
    const int board = static_cast<int>(wParam);
    if (message == 0x472) {
        journal.push_back("board50 get board=" + std::to_string(board));
        const auto it = driver.states.find(board);
        return it == driver.states.end() || it->second ? 1 : 0;
    }
    if (message == 0x471) {
        journal.push_back("board50 set board=" + std::to_string(board) +
                          " state=" + std::to_string(lParam));
        driver.states[board] = lParam != 0;
    }
    return 0;
}

std::string HeadlessHost::toAnsi(std::wstring_view text) {
    // The fake system's ANSI code page is Latin-1: what it cannot represent becomes '?'.
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(static_cast<unsigned>(c) < 256 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::string HeadlessHost::toAnsiPath(std::wstring_view path) {
    const bool representable = std::all_of(
        path.begin(), path.end(), [](wchar_t c) { return static_cast<unsigned>(c) < 256; });
    const auto shortForm = shortPaths.find(std::wstring(path));
    return representable || shortForm == shortPaths.end() ? toAnsi(path)
                                                          : toAnsi(shortForm->second);
}

std::unique_ptr<fw::Library> HeadlessHost::loadLibrary(std::wstring_view name) {
    const auto it = libraries.find(std::wstring(name));
    if (it == libraries.end()) {
        return nullptr;
    }
    return std::make_unique<HeadlessLibrary>(it->second);
}

std::optional<std::wstring> HeadlessHost::environmentVariable(std::wstring_view name) {
    const auto it = environment.find(name);
    if (it == environment.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace headless
