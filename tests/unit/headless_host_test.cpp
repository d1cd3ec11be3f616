// The headless host's own behaviour where the tests depend on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "framework/constants.h"
#include "support/fake_mapi.h"
#include "support/trace_fixture.h"

using headless::LogEntry;
namespace fs = std::filesystem;

class HeadlessHostTest : public TraceTest {};

TEST_F(HeadlessHostTest, KeysAndBoardDataWhileTheMailClientIsOpenDoNotEndTheWindowTwice) {
    const fs::path report = fs::temp_directory_path() / "rimtrace-host-destroy-once.pts";
    FakeMapi::Install(host, FakeMapi::Mode::Ok);
    FakeMapi::duringSend = [&] {
        // The trace window is not disabled by the compose window: its keys still arrive.
        host.pressKey(fw::kVkEscape);
        host.pressKey(fw::kVkSpace);
        Down(100, 100);
        host.advance(20000);
    };
    Open();
    const HWND main = dlg->GetSafeHwnd();
    dlg->m_reportPath = report.wstring();
    dlg->m_sendReport = true;
    host.pressKey(fw::kVkEscape);
    EXPECT_FALSE(host.isOpen(*dlg));
    EXPECT_EQ(FakeMapi::sent.size(), 1u);
    EXPECT_EQ(std::count_if(host.log.begin(), host.log.end(),
                            [&](const LogEntry& e) {
                                return e.kind == LogEntry::Kind::Destroyed && e.window == main;
                            }),
              1);
    fs::remove(report);
}
