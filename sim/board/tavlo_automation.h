// The automation channel of the simulated board, shared with end-to-end drivers.
//
// The board's DLL owns a hidden message-only window of class kTavloAutomationClass (find it with
// FindWindowExW(HWND_MESSAGE, nullptr, kTavloAutomationClass, nullptr); plain FindWindow does not
// see message-only windows). A driver sends it WM_COPYDATA with dwData = kTavloAutomationMagic,
// cbData = sizeof(TavloAutomationRequest) and lpData pointing at one request. The window answers
// with the SendMessage result described at each command. Requests of another size or magic, an
// unknown command or a board number outside 0..kTavloAutomationMaxBoard answer 0 and do nothing.
#pragma once

#include <cstdint>

inline constexpr wchar_t kTavloAutomationClass[] = L"TAVLOSimAutomation";
inline constexpr std::uint32_t kTavloAutomationMagic = 0x54415631;  // "TAV1"
inline constexpr std::int32_t kTavloAutomationMaxBoard = 256;

enum TavloAutomationCommand : std::uint32_t {
    // Queue a pen event (which posts TAVLO_NEW_MESSAGE to the attached window). Answers 1.
    TAVLO_AUTOMATION_PEN_DOWN = 1,
    TAVLO_AUTOMATION_PEN_MOVE = 2,
    TAVLO_AUTOMATION_PEN_UP = 3,
    // Answers the board count.
    TAVLO_AUTOMATION_QUERY_BOARD_COUNT = 4,
    // Answers 1 while a window is attached, else 0.
    TAVLO_AUTOMATION_QUERY_ATTACHED = 5,
    // Answers the number of events queued and not yet delivered by TAVLOProcessData.
    TAVLO_AUTOMATION_QUERY_WAITING_EVENTS = 6,
    // Sets the board count to `board` (boards added get the defaults). Answers 1.
    TAVLO_AUTOMATION_SET_BOARD_COUNT = 7,
    // The next delivery of a pen event by TAVLOProcessData faults instead, on the thread that
    // calls it, as a faulty driver would (the DLL: an access violation). Answers 1.
    TAVLO_AUTOMATION_FAULT_NEXT_PEN = 8,
};

#pragma pack(push, 1)
struct TavloAutomationRequest {
    std::uint32_t command;  // a TavloAutomationCommand
    // Pen commands: the board whose pen is used (its pointer id is board * 16 + 1), or 0 to use
    // pointerId as given. TAVLO_AUTOMATION_SET_BOARD_COUNT: the new count.
    std::int32_t board;
    std::int32_t pointerId;
    std::int32_t x;  // board units, 0..4096 across the surface
    std::int32_t y;
    std::int32_t z;  // the event's third value, passed through
};
#pragma pack(pop)

static_assert(sizeof(TavloAutomationRequest) == 24, "drivers and the board share this layout");
