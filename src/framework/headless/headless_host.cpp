#include "framework/headless/headless_host.h"

#include <algorithm>
#include <limits>

#include "TAVLO.h"
#include "framework/constants.h"
#include "res/resource.h"
#include "tavlo_sim.h"

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

HeadlessHost::HeadlessHost() {
    fw::SetCurrentPlatform(this);
    tavlo_sim::SetPostHook([this](HWND window, unsigned message) {
        posted_.push_back({window, message});
    });
    tavlo_sim::SetJournalSink([this](std::string_view line) { journal.emplace_back(line); });
}

HeadlessHost::~HeadlessHost() {
    tavlo_sim::SetPostHook(nullptr);
    tavlo_sim::SetJournalSink(nullptr);
    fw::SetCurrentPlatform(nullptr);
}

void HeadlessHost::record(LogEntry entry) {
    log.push_back(entry);
    if (observer) {
        observer(log.back());
    }
}

HeadlessWindow& HeadlessHost::createWindow(fw::CDialog& dialog) {
    const HWND handle = reinterpret_cast<HWND>(nextHandle_);
    nextHandle_ += 0x10;
    windows_.push_back(
        std::make_unique<HeadlessWindow>(*this, dialog, handle, fw::Rect{0, 0, 640, 400}));
    dialog.attachWindow(windows_.back().get());
    return *windows_.back();
}

HeadlessWindow* HeadlessHost::find(HWND handle) const {
    for (const auto& w : windows_) {
        if (w->handle() == handle && !w->destroyed()) {
            return w.get();
        }
    }
    return nullptr;
}

HeadlessWindow* HeadlessHost::windowOf(const fw::CDialog& dialog) const {
    for (const auto& w : windows_) {
        if (&w->dialog() == &dialog && !w->destroyed()) {
            return w.get();
        }
    }
    return nullptr;
}

std::map<fw::TimerId, unsigned> HeadlessHost::timersOf(const fw::CDialog& dialog) const {
    std::map<fw::TimerId, unsigned> result;
    const HeadlessWindow* w = windowOf(dialog);
    for (const Timer& t : timers_) {
        if (w != nullptr && t.window == w->handle()) {
            result[t.id] = t.period;
        }
    }
    return result;
}

void HeadlessHost::destroyWindow(HeadlessWindow& window) {
    if (window.destroyed()) {
        return;
    }
    window.dialog().OnDestroy();
    forgetTimers(window.handle());
    LogEntry entry(LogEntry::Kind::Destroyed, window.handle());
    record(entry);
    // Marking it destroyed last lets OnDestroy still use its window.
    window.markDestroyed();
    window.dialog().detachWindow();
}

void HeadlessHost::open(fw::CDialog& dialog) {
    HeadlessWindow& window = createWindow(dialog);
    main_ = &window;
    ++depth_;
    dialog.OnInitDialog();
    window.show();
    --depth_;
    finishOutermost();
}

bool HeadlessHost::isOpen(const fw::CDialog& dialog) const {
    return windowOf(dialog) != nullptr;
}

bool HeadlessHost::showsWindow(unsigned templateId) const {
    return std::any_of(windows_.begin(), windows_.end(), [&](const auto& w) {
        return !w->destroyed() && w->visible() && w->dialog().templateId() == templateId;
    });
}

void HeadlessHost::finishOutermost() {
    if (depth_ == 0 && main_ != nullptr && main_->ended() && !main_->destroyed()) {
        mainResult_ = main_->result();
        destroyWindow(*main_);
    }
}

void HeadlessHost::dispatch(const Posted& message) {
    HeadlessWindow* window = find(message.window);
    if (window == nullptr) {
        return;
    }
    ++depth_;
    window->dialog().OnRegisteredMessage(message.message);
    --depth_;
    finishOutermost();
}

void HeadlessHost::pumpWhile(const std::function<bool()>& running) {
    while (!posted_.empty() && running()) {
        const Posted next = posted_.front();
        posted_.pop_front();
        dispatch(next);
    }
}

void HeadlessHost::pump() {
    pumpWhile([] { return true; });
}

void HeadlessHost::advanceWhile(std::uint64_t milliseconds, const std::function<bool()>& running) {
    const std::uint64_t target = clock.now() + milliseconds;
    while (running()) {
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const Timer& a, const Timer& b) { return a.due < b.due; });
        if (next == timers_.end() || next->due > target) {
            break;
        }
        clock.advance(next->due - clock.now());
        next->due += next->period;
        const HWND handle = next->window;
        const fw::TimerId id = next->id;
        if (HeadlessWindow* window = find(handle)) {
            ++depth_;
            window->dialog().OnTimer(id);
            --depth_;
            finishOutermost();
        }
    }
    if (running() && clock.now() < target) {
        clock.advance(target - clock.now());
    }
}

void HeadlessHost::advance(std::uint64_t milliseconds) {
    advanceWhile(milliseconds, [] { return true; });
}

void HeadlessHost::pressKey(unsigned key) {
    HeadlessWindow* active = !modalStack_.empty() ? modalStack_.back() : main_;
    if (active == nullptr || active->destroyed()) {
        return;
    }
    ++depth_;
    if (key == fw::kVkEscape) {
        active->dialog().OnCancel();
    } else if (key == fw::kVkReturn) {
        active->dialog().OnOK();
    } else {
        active->dialog().OnKeyDown(key);
    }
    --depth_;
    finishOutermost();
}

void HeadlessHost::close() {
    if (main_ == nullptr || main_->destroyed()) {
        return;
    }
    ++depth_;
    main_->dialog().OnCancel();
    --depth_;
    finishOutermost();
}

fw::TimerId HeadlessHost::startTimer(HWND window, fw::TimerId id, unsigned milliseconds) {
    LogEntry entry(LogEntry::Kind::SetTimer, window);
    entry.value = id;
    record(entry);
    const std::uint64_t period = std::max(1u, milliseconds);
    for (Timer& t : timers_) {
        if (t.window == window && t.id == id) {
            t.period = static_cast<unsigned>(period);
            t.due = clock.now() + period;
            return id;
        }
    }
    timers_.push_back({window, id, static_cast<unsigned>(period), clock.now() + period});
    return id;
}

bool HeadlessHost::stopTimer(HWND window, fw::TimerId id) {
    LogEntry entry(LogEntry::Kind::KillTimer, window);
    entry.value = id;
    record(entry);
    const auto before = timers_.size();
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
    return timers_.size() != before;
}

void HeadlessHost::forgetTimers(HWND window) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

void HeadlessHost::onModal(unsigned templateId, std::function<void(ModalSession&)> script) {
    scripts_[templateId].push_back(std::move(script));
}

std::intptr_t HeadlessHost::runModal(fw::CDialog& dialog) {
    HeadlessWindow& window = createWindow(dialog);
    LogEntry opened(LogEntry::Kind::ModalOpened, window.handle());
    opened.value = dialog.templateId();
    record(opened);
    modalStack_.push_back(&window);
    ++depth_;
    dialog.OnInitDialog();
    window.show();
    auto& queue = scripts_[dialog.templateId()];
    if (queue.empty()) {
        unexpectedModals.push_back(dialog.templateId());
    } else {
        auto script = std::move(queue.front());
        queue.pop_front();
        ModalSession session(*this, window);
        script(session);
    }
    if (!window.ended()) {
        // A script that leaves its dialog open would hang a real modal loop; end it here.
        dialog.OnCancel();
    }
    --depth_;
    modalStack_.pop_back();
    const int result = window.result();
    destroyWindow(window);
    LogEntry closed(LogEntry::Kind::ModalClosed, window.handle());
    closed.value = static_cast<std::uintptr_t>(result);
    record(closed);
    return result;
}

bool HeadlessHost::createModeless(fw::CDialog& dialog) {
    HeadlessWindow& window = createWindow(dialog);
    dialog.OnInitDialog();
    (void)window;
    return true;
}

void HeadlessHost::messageBeep(unsigned type) {
    LogEntry entry(LogEntry::Kind::Beep);
    entry.value = type;
    record(entry);
}

int HeadlessHost::messageBox(std::wstring_view text, std::wstring_view caption, unsigned style) {
    LogEntry entry(LogEntry::Kind::MessageBox);
    entry.text = text;
    entry.value = style;
    record(entry);
    return messageBoxUser ? messageBoxUser(text, caption, style) : fw::kIdOk;
}

std::optional<std::wstring> HeadlessHost::saveAsDialog(std::wstring_view initialName,
                                                       unsigned flags) {
    return saveAsUser ? saveAsUser(initialName, flags) : std::nullopt;
}

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

std::unique_ptr<fw::Library> HeadlessHost::loadLibrary(std::wstring_view name) {
    const auto it = libraries.find(std::wstring(name));
    if (it == libraries.end()) {
        return nullptr;
    }
    return std::make_unique<HeadlessLibrary>(it->second);
}

void ModalSession::click(int id) {
    fw::CDialog& d = window_.dialog();
    if (id == fw::kIdOk) {
        d.OnOK();
    } else if (id == fw::kIdCancel) {
        d.OnCancel();
    } else {
        d.OnCommand(id);
    }
}

void ModalSession::toggle(int id) {
    window_.setItemCheck(
        id, window_.itemCheck(id) == fw::kBstChecked ? fw::kBstUnchecked : fw::kBstChecked);
    window_.dialog().OnCommand(id);
}

void ModalSession::pump() {
    host_.pumpWhile([this] { return !window_.ended(); });
}

void ModalSession::advance(std::uint64_t milliseconds) {
    host_.advanceWhile(milliseconds, [this] { return !window_.ended(); });
}

}  // namespace headless
