#include "framework/headless/headless_window.h"

#include "framework/constants.h"
#include "framework/headless/headless_host.h"

namespace headless {

HeadlessWindow::HeadlessWindow(HeadlessHost& host, fw::CDialog& dialog, HWND handle, fw::Rect rect)
    : host_(host), dialog_(dialog), handle_(handle), rect_(rect) {}

fw::Rect HeadlessWindow::clientRect() const {
    return {0, 0, static_cast<std::int32_t>(rect_.width()),
            static_cast<std::int32_t>(rect_.height())};
}

void HeadlessWindow::invalidate(const fw::Rect* rect, bool erase) {
    LogEntry entry(LogEntry::Kind::Invalidate, handle_);
    entry.whole = rect == nullptr;
    entry.rect = rect != nullptr ? *rect : clientRect();
    entry.erase = erase;
    host_.record(entry);
}

fw::TimerId HeadlessWindow::setTimer(fw::TimerId id, unsigned milliseconds) {
    return host_.startTimer(handle_, id, milliseconds);
}

bool HeadlessWindow::killTimer(fw::TimerId id) {
    return host_.stopTimer(handle_, id);
}

void HeadlessWindow::setWindowPos(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                                  unsigned flags) {
    LogEntry entry(LogEntry::Kind::WindowPos, handle_);
    if ((flags & fw::kSwpNoSize) != 0) {
        cx = static_cast<std::int32_t>(rect_.width());
        cy = static_cast<std::int32_t>(rect_.height());
    }
    entry.rect = {x, y, x + cx, y + cy};
    entry.value = flags;
    rect_ = entry.rect;
    host_.record(entry);
}

void HeadlessWindow::setIcon(HICON icon, bool big) {
    (big ? bigIcon_ : smallIcon_) = icon;
}

void HeadlessWindow::endDialog(int result) {
    if (ended_) {
        return;
    }
    ended_ = true;
    result_ = result;
    LogEntry entry(LogEntry::Kind::EndDialog, handle_);
    entry.value = static_cast<std::uintptr_t>(result);
    host_.record(entry);
}

void HeadlessWindow::destroy() {
    host_.destroyWindow(*this);
}

std::wstring HeadlessWindow::itemText(int id) const {
    const auto it = texts_.find(id);
    return it != texts_.end() ? it->second : std::wstring();
}

void HeadlessWindow::setItemText(int id, std::wstring_view text) {
    texts_[id] = text;
}

int HeadlessWindow::itemCheck(int id) const {
    const auto it = checks_.find(id);
    return it != checks_.end() ? it->second : 0;
}

void HeadlessWindow::setItemCheck(int id, int state) {
    checks_[id] = state;
}

}  // namespace headless
