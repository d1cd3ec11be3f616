// The hidden window through which end-to-end drivers reach the board (tavlo_automation.h).
#pragma once

#include "win_handles.h"

namespace tavlo_win {

class AutomationWindow {
  public:
    AutomationWindow();

  private:
    WindowClass class_;
    UniqueWindow window_;  // destroyed before its class goes
};

}  // namespace tavlo_win
