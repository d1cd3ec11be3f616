#include "framework/headless/headless_host.h"

#include <algorithm>

#include "TAVLO.h"
#include "framework/constants.h"
#include "tavlo_sim.h"

namespace headless {

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

std::unique_ptr<fw::RunLock> HeadlessHost::claimOnlyRun() {
    class HeldLock : public fw::RunLock {
      public:
        explicit HeldLock(bool& held) : held_(held) { held_ = true; }
        ~HeldLock() override { held_ = false; }

      private:
        bool& held_;
    };
    if (runLockHeld_) {
        return nullptr;
    }
    return std::make_unique<HeldLock>(runLockHeld_);
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
    // A message handled while OnDestroy runs its own loops (the mail client's) must not start
    // the destruction again.
    if (window.destroyed() || window.destroying()) {
        return;
    }
    window.markDestroying();
    window.dialog().OnDestroy();
    forgetTimers(window.handle());
    LogEntry entry(LogEntry::Kind::Destroyed, window.handle());
    record(entry);
    // Marking it destroyed last lets OnDestroy still use its window.
    window.markDestroyed();
    window.dialog().detachWindow();
}

void HeadlessHost::abandon() {
    for (const auto& window : windows_) {
        if (!window->destroyed()) {
            window->markDestroyed();
            window->dialog().detachWindow();
        }
    }
    timers_.clear();
    posted_.clear();
    modalStack_.clear();
    main_ = nullptr;
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
