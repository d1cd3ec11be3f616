#include "board/board_handover.h"

#include "board/driver_window.h"

namespace {
constexpr _TAVLO_BOARD_INT_SETTING kSetting0 = TAVLO_BOARD_INT_SETTING_0;
constexpr _TAVLO_BOARD_INT_SETTING kSetting1 = TAVLO_BOARD_INT_SETTING_1;
constexpr _TAVLO_BOARD_INT_SETTING kSetting4 = TAVLO_BOARD_INT_SETTING_4;

// The SDK's unsigned values pass through the signed fields bit for bit.
std::int32_t Read(CTAVLO2BoardSettings& settings, _TAVLO_BOARD_INT_SETTING which, int board) {
    return static_cast<std::int32_t>(settings.TAVLOGetBoardIntSetting(which, board));
}

void Write(CTAVLO2BoardSettings& settings, _TAVLO_BOARD_INT_SETTING which, int board,
           std::int32_t value) {
    settings.TAVLOSetBoardIntSetting(which, board, static_cast<unsigned int>(value));
}
}  // namespace

SavedBoardSettings ReadBoard(CTAVLO2BoardSettings& settings, HWND driver, int board) {
    SavedBoardSettings saved;
    saved.intSetting0 = Read(settings, kSetting0, board);
    saved.intSetting1 = Read(settings, kSetting1, board);
    saved.intSetting4 = Read(settings, kSetting4, board);
    if (driver != nullptr) {
        saved.driverState = GetDriverState(driver, board);
    }
    return saved;
}

void SwitchOffBoard(CTAVLO2BoardSettings& settings, HWND driver, int board) {
    Write(settings, kSetting0, board, 0);
    Write(settings, kSetting1, board, 0);
    Write(settings, kSetting4, board, 0);
    if (driver != nullptr) {
        SetDriverState(driver, board, false);
    }
}

void GiveBackBoard(CTAVLO2BoardSettings& settings, HWND driver, int board,
                   const SavedBoardSettings& saved, bool driverOn) {
    Write(settings, kSetting0, board, saved.intSetting0);
    Write(settings, kSetting1, board, saved.intSetting1);
    Write(settings, kSetting4, board, saved.intSetting4);
    if (driver != nullptr) {
        SetDriverState(driver, board, driverOn);
    }
}

RestoreRecord GiveBackAttached(CTAVLO2BoardSettings& settings, HWND driver,
                               const RestoreRecord& record, int attachedCount) {
    const RestoreSplit split = SplitByAttached(record, attachedCount);
    for (const BoardToRestore& entry : split.now) {
        GiveBackBoard(settings, driver, entry.board, entry.settings, entry.settings.driverState);
    }
    return split.later;
}
