#pragma once
#include <cstdint>

// One board's settings and driver state as they were before the test. The settings are opaque:
// the SDK's unsigned values pass through these signed fields unchanged, all 32 bits. The defaults
// are a board's values as it comes: what a board the test never saw (one that joined during the
// test) is given at the end, and what the simulated board starts with.
struct SavedBoardSettings {
    std::int32_t intSetting0 = 50;
    std::int32_t intSetting1 = 12;
    std::int32_t intSetting4 = 1;
    bool driverState = true;
};

inline constexpr SavedBoardSettings kDefaultBoardSettings{};
