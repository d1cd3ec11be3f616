#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/headless/headless_host.h"
#include "random_source.h"
#include "run_folder.h"
#include "tavlo_sim.h"

// One board's own values, as they were before any test touched the board.
struct OwnBoard {
    std::array<std::uint32_t, 3> settings{};  // integer settings 0, 1 and 4
    bool driverState = true;
};

// The values a board added while a test runs comes with, and gets back at its end.
inline constexpr std::array<std::uint32_t, 3> kNewBoardSettings = {50, 12, 1};
inline constexpr std::array<int, 3> kSettingIds = {0, 1, 4};

enum class MailSetup {
    Sends,
    LogonNeedsProfile,  // the first logon fails, the one with the profile prompt works
    LogonFails,
    UserCancels,
    SendFails,
    NoLibrary,
    NoEntryPoint,
};

enum class DocumentsSetup { Writable, Missing, None };

// Where the restore record is kept: the folder the environment variable names, the user's local
// application-data folder, or nowhere (the user has no such folder).
enum class RecordPlace { Environment, LocalAppData, None };

// What the computer is like when a sequence starts: the boards with their own values, the
// driver window, the monitors, the mail client, the Documents folder and the clock.
struct World {
    bool diagnosticMode = true;
    std::vector<OwnBoard> boards;  // board b is boards[b - 1]
    bool driverPresent = true;
    std::vector<headless::FakeMonitor> monitors;
    tavlo_sim::DisplayRect display;
    MailSetup mail = MailSetup::Sends;
    DocumentsSetup documents = DocumentsSetup::Writable;
    RecordPlace recordPlace = RecordPlace::Environment;
    std::uint32_t startTick = 0;
    LocalDateTime now;

    static World Random(RandomSource& rng);
};

// The most boards a sequence attaches at any time.
inline constexpr int kMostBoards = 5;

// Pointers besides each board's own pen: board b's second pen, and ids that map to no board.
inline constexpr int kSecondPenBase = 1000;
inline constexpr std::array<int, 5> kUnmappedPointers = {0, 2, 5, -1, 99999};

// The boards as the world has them. Resets the simulated board, and with it every hook, so it
// comes before the host is created.
void InstallBoards(const World& world);
// The boards as a state text has them (what outlived a process), the same way.
void InstallBoardState(const World& world, const std::string& stateText);
// The rest of the world, on the host: clock, monitors, driver window, folders, mail client.
void InstallSystem(const World& world, headless::HeadlessHost& host, const RunFolder& folder,
                   RandomSource& rng);

// The restore record's path as the world places it; empty when it has no place.
std::filesystem::path RecordPath(const World& world, const RunFolder& folder);
