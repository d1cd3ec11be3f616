#include "world.h"

#include "support/fake_mapi.h"

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

OwnBoard RandomBoard(RandomSource& rng, bool driverPresent) {
    OwnBoard board;
    for (std::uint32_t& value : board.settings) {
        switch (rng.below(4)) {
            case 0:
                value = 0;
                break;
            case 1:
                value = static_cast<std::uint32_t>(rng.next());  // top bit set half the time
                break;
            default:
                value = static_cast<std::uint32_t>(rng.between(1, 100));
                break;
        }
    }
    // A driver that is not running when the test starts comes up with every state on.
    board.driverState = !driverPresent || rng.chance(600);
    return board;
}

}  // namespace

World World::Random(RandomSource& rng) {
    World world;
    world.diagnosticMode = rng.chance(750);
    world.driverPresent = rng.chance(800);
    const auto boardCount = static_cast<std::size_t>(rng.weighted({1, 10, 6, 4, 2}));
    for (std::size_t b = 0; b < boardCount; ++b) {
        world.boards.push_back(RandomBoard(rng, world.driverPresent));
    }
    world.monitors = MonitorLayouts()[rng.below(MonitorLayouts().size())];
    const fw::Rect& second = world.monitors.back().rect;
    world.display = rng.chance(700) ? tavlo_sim::DisplayRect{}
                                    : tavlo_sim::DisplayRect{second.left, second.top, second.right,
                                                             second.bottom};
    world.mail = static_cast<MailSetup>(rng.weighted({6, 2, 2, 2, 2, 2, 2}));
    world.documents = static_cast<DocumentsSetup>(rng.weighted({6, 1, 1}));
    world.recordPlace = static_cast<RecordPlace>(rng.weighted({9, 9, 1}));
    // Sometimes just before the tick counter wraps, sometimes within the first second.
    switch (rng.below(3)) {
        case 0:
            world.startTick = static_cast<std::uint32_t>(0xFFFFFFFFu - rng.below(30000));
            break;
        case 1:
            world.startTick = static_cast<std::uint32_t>(rng.below(1500));
            break;
        default:
            world.startTick = static_cast<std::uint32_t>(rng.next());
            break;
    }
    world.now = {static_cast<std::uint16_t>(rng.between(2000, 2099)),
                 static_cast<std::uint16_t>(rng.between(1, 12)),
                 static_cast<std::uint16_t>(rng.between(1, 28)),
                 static_cast<std::uint16_t>(rng.between(0, 23)),
                 static_cast<std::uint16_t>(rng.between(0, 59)),
                 static_cast<std::uint16_t>(rng.between(0, 59))};
    return world;
}

namespace {
void MapSecondPens() {
    for (int b = 1; b <= kMostBoards; ++b) {
        tavlo_sim::MapPointer(kSecondPenBase + b, b);
    }
}
}  // namespace

void InstallBoards(const World& world) {
    const int count = static_cast<int>(world.boards.size());
    tavlo_sim::Reset(count);
    tavlo_sim::SetDefaultDisplay(world.display);
    for (int b = 1; b <= count; ++b) {
        tavlo_sim::SetDisplay(b, world.display);
        for (std::size_t i = 0; i < kSettingIds.size(); ++i) {
            tavlo_sim::SetSetting(b, kSettingIds[i], world.boards[b - 1].settings[i]);
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

void InstallSystem(const World& world, headless::HeadlessHost& host, const RunFolder& folder,
                   RandomSource& rng) {
    host.clock.setTickCount(world.startTick);
    host.now = world.now;
    host.monitors = world.monitors;
    host.exePath = folder.exePath();
    host.driver.present = world.driverPresent;
    for (std::size_t b = 0; b < world.boards.size(); ++b) {
        host.driver.states[static_cast<int>(b) + 1] = world.boards[b].driverState;
    }
    switch (world.recordPlace) {
        case RecordPlace::Environment:
            // The variable wins over the user's folder, which stays empty.
            host.environment[L"RIMTRACE_RESTORE_DIR"] = folder.restoreDir().wstring();
            host.localAppData = folder.localAppData().wstring();
            break;
        case RecordPlace::LocalAppData:
            host.localAppData = folder.localAppData().wstring();
            break;
        case RecordPlace::None:
            break;
    }
    switch (world.documents) {
        case DocumentsSetup::Writable:
            folder.makeDocuments();
            host.documents = folder.documents().wstring();
            break;
        case DocumentsSetup::Missing:
            host.documents = folder.documents().wstring();
            break;
        case DocumentsSetup::None:
            host.documents.clear();
            break;
    }
    switch (world.mail) {
        case MailSetup::Sends:
            FakeMapi::Install(host, FakeMapi::Mode::Ok);
            break;
        case MailSetup::LogonNeedsProfile:
            FakeMapi::Install(host, FakeMapi::Mode::FirstLogonFails);
            break;
        case MailSetup::LogonFails:
            FakeMapi::Install(host, FakeMapi::Mode::BothLogonsFail);
            break;
        case MailSetup::UserCancels:
            FakeMapi::Install(host, FakeMapi::Mode::UserCancels);
            break;
        case MailSetup::SendFails:
            FakeMapi::Install(host, FakeMapi::Mode::SendFails);
            break;
        case MailSetup::NoLibrary:
            FakeMapi::Install(host, FakeMapi::Mode::Ok);
            host.libraries.erase(L"Mapi32.dll");
            break;
        case MailSetup::NoEntryPoint: {
            FakeMapi::Install(host, FakeMapi::Mode::Ok);
            constexpr std::array<const char*, 3> kEntries = {"MAPILogon", "MAPILogoff",
                                                             "MAPISendMail"};
            host.libraries[L"Mapi32.dll"].symbols.erase(kEntries[rng.below(kEntries.size())]);
            break;
        }
    }
}

std::filesystem::path RecordPath(const World& world, const RunFolder& folder) {
    switch (world.recordPlace) {
        case RecordPlace::Environment:
            return folder.restoreDir() / "restore-record.txt";
        case RecordPlace::LocalAppData:
            return folder.localAppData() / "rimtrace" / "restore-record.txt";
        case RecordPlace::None:
            break;
    }
    return {};
}
