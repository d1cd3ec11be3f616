#include "world.h"

#include "board/restore_record_file.h"

namespace {

const std::vector<std::vector<headless::FakeMonitor>>& MonitorLayouts() {
    static const std::vector<std::vector<headless::FakeMonitor>> layouts = {
        {{{0, 0, 1024, 768}, true}},
        {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3200, 1024}, true}},
        {{{-1280, 0, 0, 1024}, true}, {{0, 0, 1920, 1080}, true}, {{1920, -200, 3840, 880}, true}},
        {{{0, 0, 1280, 800}, true}, {{1280, 0, 2560, 800}, false}},
    };
    return layouts;
}

using Mode = FakeMapi::Mode;
constexpr MailSetup kMailSetups[] = {
    {"mail sent", Mode::Ok, true, nullptr},
    {"mail sent after the profile logon", Mode::FirstLogonFails, true, nullptr},
    {"mail logon failed", Mode::BothLogonsFail, false, nullptr},
    {"mail cancelled by the user", Mode::UserCancels, false, nullptr},
    {"mail send failed", Mode::SendFails, false, nullptr},
    {"mail library missing", Mode::Ok, false, "Mapi32.dll"},
    {"mail entry point missing", Mode::Ok, false, "MAPILogon"},
    {"mail entry point missing", Mode::Ok, false, "MAPILogoff"},
    {"mail entry point missing", Mode::Ok, false, "MAPISendMail"},
};

OwnBoard RandomBoard(RandomSource& rng, bool driverPresent) {
    OwnBoard board;
    for (std::int32_t* value : {&board.intSetting0, &board.intSetting1, &board.intSetting4}) {
        // Zero, small, or anything (the top bit set half the time).
        const auto any = static_cast<std::uint32_t>(rng.next());
        *value = static_cast<std::int32_t>(rng.chance(250)   ? 0u
                                           : rng.chance(330) ? any
                                                             : rng.between(1, 100));
    }
    // A driver that is not running when the test starts comes up with every state on.
    board.driverState = !driverPresent || rng.chance(600);
    return board;
}

void MapSecondPens() {
    for (int b = 1; b <= kMostBoards; ++b) {
        tavlo_sim::MapPointer(kSecondPenBase + b, b);
    }
}

}  // namespace

std::array<std::uint32_t, 3> SettingsOf(const OwnBoard& board) {
    return {static_cast<std::uint32_t>(board.intSetting0),
            static_cast<std::uint32_t>(board.intSetting1),
            static_cast<std::uint32_t>(board.intSetting4)};
}

OwnBoard BoardNow(int board, const headless::FakeDriverWindow& driver) {
    OwnBoard own;
    own.intSetting0 = static_cast<std::int32_t>(tavlo_sim::Setting(board, kSettingIds[0]));
    own.intSetting1 = static_cast<std::int32_t>(tavlo_sim::Setting(board, kSettingIds[1]));
    own.intSetting4 = static_cast<std::int32_t>(tavlo_sim::Setting(board, kSettingIds[2]));
    const auto state = driver.states.find(board);
    own.driverState = !driver.present || state == driver.states.end() || state->second;
    return own;
}

World World::Random(RandomSource& rng) {
    World world;
    world.diagnosticMode = rng.chance(750);
    world.driverPresent = rng.chance(800);
    const auto boardCount = rng.weighted({1, 10, 6, 4, 2});
    for (std::size_t b = 0; b < boardCount; ++b) {
        world.boards.push_back(RandomBoard(rng, world.driverPresent));
    }
    world.monitors = MonitorLayouts()[rng.below(MonitorLayouts().size())];
    const fw::Rect& second = world.monitors.back().rect;
    world.display = rng.chance(700) ? tavlo_sim::DisplayRect{}
                                    : tavlo_sim::DisplayRect{second.left, second.top, second.right,
                                                             second.bottom};
    world.mail = &kMailSetups[rng.weighted({6, 2, 2, 2, 2, 2, 1, 1, 1})];
    world.documents = static_cast<DocumentsSetup>(rng.weighted({6, 1, 1}));
    world.recordPlace = static_cast<RecordPlace>(rng.weighted({9, 9, 1}));
    // Sometimes just before the tick counter wraps, sometimes within the first second.
    const std::uint64_t ticks[] = {0xFFFFFFFFu - rng.below(30000), rng.below(1500), rng.next()};
    world.startTick = static_cast<std::uint32_t>(ticks[rng.below(3)]);
    return world;
}

void InstallBoards(const World& world) {
    const int count = static_cast<int>(world.boards.size());
    tavlo_sim::Reset(count);
    tavlo_sim::SetDefaultDisplay(world.display);
    for (int b = 1; b <= count; ++b) {
        tavlo_sim::SetDisplay(b, world.display);
        const auto values = SettingsOf(world.boards[static_cast<std::size_t>(b) - 1]);
        for (std::size_t i = 0; i < kSettingIds.size(); ++i) {
            tavlo_sim::SetSetting(b, kSettingIds[i], values[i]);
        }
    }
    MapSecondPens();
}

void InstallBoardState(const World& world, const std::string& stateText) {
    tavlo_sim::Reset(0);
    tavlo_sim::SetDefaultDisplay(world.display);
    tavlo_sim::LoadStateText(stateText);
    MapSecondPens();
}

void InstallSystem(const World& world, headless::HeadlessHost& host, const RunFolder& folder) {
    host.clock.setTickCount(world.startTick);
    host.monitors = world.monitors;
    host.exePath = folder.exePath();
    host.driver.present = world.driverPresent;
    for (std::size_t b = 0; b < world.boards.size(); ++b) {
        host.driver.states[static_cast<int>(b) + 1] = world.boards[b].driverState;
    }
    // With the variable set it wins over the user's folder, which stays empty.
    if (world.recordPlace == RecordPlace::Environment) {
        host.environment[kRestoreDirVariable] = folder.restoreDir().wstring();
    }
    if (world.recordPlace != RecordPlace::None) {
        host.localAppData = folder.localAppData().wstring();
    }
    if (world.documents == DocumentsSetup::Writable) {
        std::filesystem::create_directories(folder.documents());
    }
    host.documents = world.documents == DocumentsSetup::None ? L"" : folder.documents().wstring();
    FakeMapi::Install(host, world.mail->mode);
    if (const char* missing = world.mail->missing) {
        // The library itself, or one of its entry points.
        if (std::string_view(missing) == "Mapi32.dll") {
            host.libraries.erase(L"Mapi32.dll");
        } else {
            host.libraries[L"Mapi32.dll"].symbols.erase(missing);
        }
    }
}
