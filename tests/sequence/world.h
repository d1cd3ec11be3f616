#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "board/saved_board_settings.h"
#include "framework/headless/headless_host.h"
#include "random_source.h"
#include "run_folder.h"
#include "support/fake_mapi.h"
#include "tavlo_sim.h"

// A board's own values, as the program saves and gives them back. Default-constructed, they are
// the values a board that never took part in a test gets at the end of one.
using OwnBoard = SavedBoardSettings;
inline constexpr std::array<int, 3> kSettingIds = {0, 1, 4};
// The three settings of `board` in the order of kSettingIds, as the simulated board holds them.
std::array<std::uint32_t, 3> SettingsOf(const OwnBoard& board);
// The values board `board` has now, as a start would read them: every driver state as on
// without the driver window.
OwnBoard BoardNow(int board, const headless::FakeDriverWindow& driver);

// What the mail client does when the report is mailed.
struct MailSetup {
    const char* outcome;  // its name in the coverage
    FakeMapi::Mode mode;
    bool sends;           // the mail goes out, so the user is told nothing
    const char* missing;  // the library or entry point that is not there, or none
};

enum class DocumentsSetup { Writable, Missing, None };

// Where the restore record is kept: the folder the environment variable names, the user's local
// application-data folder, or nowhere (the user has no such folder).
enum class RecordPlace { Environment, LocalAppData, None };

// What the computer is like when a sequence starts: the boards with their own values, the
// driver window, the monitors, the mail client, the Documents folder and the tick count.
struct World {
    bool diagnosticMode = true;
    std::vector<OwnBoard> boards;  // board b is boards[b - 1]
    bool driverPresent = true;
    std::vector<headless::FakeMonitor> monitors;
    tavlo_sim::DisplayRect display;
    const MailSetup* mail = nullptr;
    DocumentsSetup documents = DocumentsSetup::Writable;
    RecordPlace recordPlace = RecordPlace::Environment;
    std::uint32_t startTick = 0;

    static World Random(RandomSource& rng);
};

// The most boards a sequence attaches at any time.
inline constexpr int kMostBoards = 5;

// Pointers besides each board's own pen: board b's second pen, and ids that map to no board.
inline constexpr int kSecondPenBase = 1000;
inline constexpr std::array<int, 5> kUnmappedPointers = {0, 2, 5, -1, 99999};

// The boards as the world has them, or as a state text has them (what outlived a process).
// Resets the simulated board, and with it every hook, so it comes before the host is created.
void InstallBoards(const World& world);
void InstallBoardState(const World& world, const std::string& stateText);
// The rest of the world, on the host: clock, monitors, driver window, folders, mail client.
void InstallSystem(const World& world, headless::HeadlessHost& host, const RunFolder& folder);
