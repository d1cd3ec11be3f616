#pragma once
#include <functional>

// What must still happen when the process goes down without its normal end (an unhandled
// exception, std::terminate): give the boards their own values back. The test that switched them
// off registers how; the platform's crash handler runs it.
void SetEmergencyRestore(std::function<void()> restore);
void ClearEmergencyRestore();
// Runs the registered restore once, best effort: whatever it throws is swallowed, and a second
// failure while it runs does not run it again.
void RunEmergencyRestore() noexcept;
