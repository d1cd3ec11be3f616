#include "automation_window.h"

#include "common/wide_text.h"
#include "tavlo_automation.h"
#include "tavlo_sim.h"

namespace tavlo_win {
namespace {

LRESULT CALLBACK AutomationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        return data == nullptr
                   ? 0
                   : tavlo_sim::HandleAutomation(data->dwData, data->lpData, data->cbData);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

AutomationWindow::AutomationWindow()
    : class_(kTavloAutomationClass, AutomationProc, sim::ThisModule()) {
    if (class_.registered()) {
        window_.reset(CreateWindowExW(0, class_.name(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      sim::ThisModule(), nullptr));
    }
}

}  // namespace tavlo_win
