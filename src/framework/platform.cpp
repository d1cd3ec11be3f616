#include "framework/platform.h"

#include <cstdlib>

namespace fw {
namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() {
    if (g_platform == nullptr) {
        // A program without a platform cannot do anything meaningful; fail loudly and at once.
        std::abort();
    }
    return *g_platform;
}

void SetCurrentPlatform(Platform* platform) {
    g_platform = platform;
}

}  // namespace fw
