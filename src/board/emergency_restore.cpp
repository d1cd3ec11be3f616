#include "board/emergency_restore.h"

#include <utility>

namespace {
std::function<void()>& Registered() {
    static std::function<void()> restore;
    return restore;
}
}  // namespace

void SetEmergencyRestore(std::function<void()> restore) {
    Registered() = std::move(restore);
}

void ClearEmergencyRestore() {
    Registered() = nullptr;
}

void RunEmergencyRestore() noexcept {
    // Taken out first: a crash inside the restore must not start it again.
    const std::function<void()> restore = std::exchange(Registered(), nullptr);
    if (!restore) {
        return;
    }
    try {
        restore();
    } catch (...) {
        // Nothing more can be done while the process is going down.
    }
}
