// Requests to the simulated board's automation window in the program's process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "tavlo_automation.h"

namespace rtdriver {

// The automation window of process `processId`, or null.
HWND FindAutomationWindow(DWORD processId);

// The window's answer, or nullopt when there is no window or it does not answer in time.
std::optional<std::intptr_t> AskBoard(DWORD processId, const TavloAutomationRequest& request);

}  // namespace rtdriver
