// Control of the simulated board behind TAVLO.h: what a test (or the DLL's Windows host) sets up,
// injects and inspects. There is one simulated board per process; it is used from one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "TAVLO.h"

namespace tavlo_sim {

// Board counts are kept within 0..kMaxBoards.
inline constexpr int kMaxBoards = 256;

enum class PenAction { Down, Move, Up };

// Virtual-desktop pixels; right and bottom are exclusive.
struct DisplayRect {
    int left = 0;
    int top = 0;
    int right = 1024;
    int bottom = 768;
    bool operator==(const DisplayRect&) const = default;
};

// One edge's points as received: x[j], y[j] is point j.
struct EdgePoints {
    std::vector<float> x;
    std::vector<float> y;
    bool operator==(const EdgePoints&) const = default;
};

struct OrientPoints {
    EdgePoints top;
    EdgePoints bottom;
    EdgePoints left;
    EdgePoints right;
    bool operator==(const OrientPoints&) const = default;
};

// Called with the attached window and TAVLO_NEW_MESSAGE once per queued event.
using PostHook = std::function<void(HWND window, unsigned message)>;
// Called with each journal line, without a line ending.
using JournalSink = std::function<void(std::string_view line)>;
// Called after anything the state text holds has changed.
using ChangeHook = std::function<void()>;
// Called in place of the pen delivery an automation request asked to fault.
using FaultHook = std::function<void()>;

// A fresh board set: `boardCount` boards with the default display and settings 0x32, 0xC, 0x1,
// current board 1, default pointer mapping, no events, no window, no handlers, no hooks.
void Reset(int boardCount = 1);
void SetBoardCount(int boardCount);  // added boards get the defaults; removed ones are forgotten
void SetDefaultDisplay(DisplayRect rect);  // for boards created from now on
void SetDisplay(int board, DisplayRect rect);
void SetCurrentBoard(int board);
// Sets a value as the board itself would: no journal line, no notification.
void SetSetting(int board, int setting, std::uint32_t value);
std::uint32_t Setting(int board, int setting);  // 0 for an unknown board or setting

// Pointer ids: board b's pen is b * 16 + 1 (0 for a board outside 1..kMaxBoards). Any other id
// maps to board 0 unless mapped here; an explicit mapping wins over the default.
int PenPointerId(int board);
void MapPointer(int pointerId, int board);

// Queue pen events; each posts TAVLO_NEW_MESSAGE to the attached window.
void QueuePen(PenAction action, int x, int y, int z, int pointerId);
void QueueBoardPen(PenAction action, int board, int x, int y, int z = 0);
// The mouse as board 1's pen: a screen position becomes board units 0..4096 across board 1's
// display. False (nothing queued) when there is no board 1 or its display is empty.
bool QueueMousePen(PenAction action, int screenX, int screenY);
std::size_t WaitingEventCount();

void SetPostHook(PostHook hook);
void SetJournalSink(JournalSink sink);
void SetChangeHook(ChangeHook hook);
void SetFaultHook(FaultHook hook);

HWND AttachedWindow();
// The last orientation points handed to a board, if any were.
std::optional<OrientPoints> LastOrientPoints(int board);

// Where the DLL's journal goes, and whether its mouse acts as a pen; kept in the state text.
void SetJournalPath(std::string path);
std::string JournalPath();
void SetMousePen(bool enabled);
bool MousePen();

// The state text (see README.md): everything above that outlives a run.
std::string StateText();
// Replaces the board set with what a state text describes; bad lines and values are skipped
// and leave the defaults. Events, mapping, window, handlers and hooks are kept.
void LoadStateText(std::string_view text);

// Carries out one automation request (tavlo_automation.h) and returns the window's answer.
std::intptr_t HandleAutomation(std::uintptr_t magic, const void* data, std::size_t size);

}  // namespace tavlo_sim
