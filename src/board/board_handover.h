#pragma once
// One board's three settings and driver state: read as the board's own, switched off for the
// test, given back. Each board's settings are written before its driver message, in the order
// 0, 1, 4, wherever a board is given back (end of a test, an earlier run's record, a crash).
#include "TAVLO.h"
#include "board/restore_record.h"
#include "board/saved_board_settings.h"
#include "framework/native_handles.h"

// The board's values before the test; without a driver window its driver state counts as on.
SavedBoardSettings ReadBoard(CTAVLO2BoardSettings& settings, HWND driver, int board);
void SwitchOffBoard(CTAVLO2BoardSettings& settings, HWND driver, int board);
void GiveBackBoard(CTAVLO2BoardSettings& settings, HWND driver, int board,
                   const SavedBoardSettings& saved, bool driverOn);

// Gives back the boards of `record` that are attached now (1..attachedCount), in board order;
// returns the entries of boards that are not, which must wait for a later run.
RestoreRecord GiveBackAttached(CTAVLO2BoardSettings& settings, HWND driver,
                               const RestoreRecord& record, int attachedCount);
