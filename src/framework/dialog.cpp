#include "framework/dialog.h"

#include "framework/platform.h"

namespace fw {

CDialog::CDialog(unsigned templateId) : templateId_(templateId) {}

CDialog::~CDialog() {
    if (window_ != nullptr) {
        window_->destroy();
    }
}

std::intptr_t CDialog::DoModal() {
    return CurrentPlatform().runModal(*this);
}

bool CDialog::Create() {
    return CurrentPlatform().createModeless(*this);
}

void CDialog::DestroyWindow() {
    if (window_ != nullptr) {
        window_->destroy();
    }
}

void CDialog::EndDialog(int result) {
    if (window_ != nullptr) {
        window_->endDialog(result);
    }
}

HWND CDialog::GetSafeHwnd() const {
    return window_ != nullptr ? window_->handle() : nullptr;
}

}  // namespace fw
