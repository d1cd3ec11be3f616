// The hidden window through which end-to-end drivers reach the board (tavlo_automation.h).
#pragma once

#include "framework/win32/win32_handles.h"

namespace tavlo_win {

class AutomationWindow {
  public:
    AutomationWindow();

  private:
    win32::WindowClass class_;
    win32::UniqueWindow window_;  // destroyed before its class goes
};

}  // namespace tavlo_win
