// The built Mapi32.dll, loaded as the program loads it, with its outbox in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "common/wide_text.h"
#include "framework/win32/win32_handles.h"
#include "report/simple_mapi.h"
#include "temp_folder.h"

namespace {

class OutboxDll : public testing::Test {
  protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"RIMTRACE_OUTBOX", outbox_.path().c_str());
        SetEnvironmentVariableW(L"RIMTRACE_MAPI_MODE", nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"RIMTRACE_OUTBOX", nullptr);
        SetEnvironmentVariableW(L"RIMTRACE_MAPI_MODE", nullptr);
    }

    void load(const wchar_t* mode = nullptr) {
        SetEnvironmentVariableW(L"RIMTRACE_MAPI_MODE", mode);
        library_.reset(LoadLibraryW((sim::ModuleFolder(nullptr) + L"Mapi32.dll").c_str()));
        ASSERT_TRUE(library_);
        logon_ = entry<MapiLogonFn>("MAPILogon");
        send_ = entry<MapiSendMailFn>("MAPISendMail");
        logoff_ = entry<MapiLogoffFn>("MAPILogoff");
        ASSERT_TRUE(logon_ && send_ && logoff_);
    }

    template <typename Fn>
    Fn entry(const char* name) const {
        // FARPROC has no parameters; going through void* says the real type is known.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_.get(), name)));
    }

    MapiUlong logon(MapiUlong flags, MapiHandle& session) {
        return logon_(0, nullptr, nullptr, flags, 0, &session);
    }

    // Two recipients, a subject, a body with LF and tabs, one attachment.
    MapiUlong sendReport(MapiHandle session, const std::wstring& attachment) {
        char first[] = "edge@example.invalid";
        char second[] = "support@example.invalid";
        char subject[] = "Edge Report";
        std::string body = kBody;
        std::string path = sim::Utf8FromWide(attachment);
        MapiRecipDesc recipients[2] = {};
        recipients[0].ulRecipClass = kMapiTo;
        recipients[0].lpszName = first;
        recipients[1].ulRecipClass = kMapiTo;
        recipients[1].lpszName = second;
        MapiFileDesc file{};
        file.nPosition = 0xFFFFFFFF;
        file.lpszPathName = path.data();
        MapiMessage message{};
        message.lpszSubject = subject;
        message.lpszNoteText = body.data();
        message.nRecipCount = 2;
        message.lpRecips = recipients;
        message.nFileCount = 1;
        message.lpFiles = &file;
        return send_(session, 0, &message, kMapiDialog, 0);
    }

    std::wstring report() const {
        const std::wstring path = outbox_.path(L"report.pts");
        sim::WriteWholeFile(path, "report\r\n");
        return path;
    }

    std::string outboxFile(const wchar_t* name) const {
        return sim::ReadWholeFile(outbox_.path(name)).value_or("<missing>");
    }

    static constexpr const char* kBody = "1. serial: SN 1\n \t\t\t\t\t\t\t\nThank you.";

    TempFolder outbox_;
    win32::LoadedModule library_;
    MapiLogonFn logon_ = nullptr;
    MapiSendMailFn send_ = nullptr;
    MapiLogoffFn logoff_ = nullptr;
};

TEST_F(OutboxDll, ExportsExactlyTheThreeSimpleMapiCalls) {
    load();
    const auto base = reinterpret_cast<const BYTE*>(library_.get());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    ASSERT_EQ(exports->NumberOfNames, 3u);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    EXPECT_STREQ(reinterpret_cast<const char*>(base + names[0]), "MAPILogoff");
    EXPECT_STREQ(reinterpret_cast<const char*>(base + names[1]), "MAPILogon");
    EXPECT_STREQ(reinterpret_cast<const char*>(base + names[2]), "MAPISendMail");
}

TEST_F(OutboxDll, SentMessageIsRecordedWholeAndEveryCallLogged) {
    load();
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    EXPECT_EQ(session, 1u);
    EXPECT_EQ(sendReport(session, report()), kMapiSuccess);
    EXPECT_EQ(logoff_(session, 0, 0, 0), kMapiSuccess);
    library_.reset();

    EXPECT_EQ(outboxFile(L"outbox.log"),
              "load\n"
              "logon ui_param=0x0 profile=null password=null flags=0x0 reserved=0 result=0 "
              "session=1\n"
              "send session=1 ui_param=0x0 flags=0x8 reserved=0 result=0 "
              "record=message-001.txt\n"
              "logoff session=1 ui_param=0x0 flags=0x0 reserved=0 result=0\n"
              "unload\n");
    EXPECT_EQ(outboxFile(L"message-001.body"), kBody);
    EXPECT_EQ(outboxFile(L"message-001.attachment-1"), "report\r\n");
    const std::string record = outboxFile(L"message-001.txt");
    for (const char* line : {"result=0\n", "session_state=open\n", "subject=\"Edge Report\"\n",
                             "recipients=2\n", "recipient.2.name=\"support@example.invalid\"\n",
                             "attachment.1.found=yes\n", "sending_window=absent\n"}) {
        EXPECT_NE(record.find(line), std::string::npos) << line;
    }
}

TEST_F(OutboxDll, FirstLogonFailsThenTheOneWithUiSucceeds) {
    load(L"first-logon-fails");
    MapiHandle session = 0;
    EXPECT_EQ(logon(0, session), 3u);
    EXPECT_EQ(session, 0u);
    EXPECT_EQ(logon(kMapiLogonUi, session), kMapiSuccess);
    EXPECT_EQ(sendReport(session, report()), kMapiSuccess);
}

TEST_F(OutboxDll, BothLogonsFail) {
    load(L"both-logons-fail");
    MapiHandle session = 0;
    EXPECT_EQ(logon(0, session), 3u);
    EXPECT_EQ(logon(kMapiLogonUi, session), 3u);
}

TEST_F(OutboxDll, UserCancelIsReportedAfterTheMessageIsRecorded) {
    load(L"user-cancels");
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    EXPECT_EQ(sendReport(session, report()), 1u);
    EXPECT_NE(outboxFile(L"message-001.txt").find("result=1\nmode=user-cancels\n"),
              std::string::npos);
}

TEST_F(OutboxDll, MissingAttachmentIsRefusedButRecorded) {
    load();
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    EXPECT_EQ(sendReport(session, outbox_.path(L"never-written.pts")), 11u);
    const std::string record = outboxFile(L"message-001.txt");
    EXPECT_NE(record.find("attachment.1.found=no\nattachment.1.copy=none\n"), std::string::npos);
}

TEST_F(OutboxDll, UnknownModeFailsEveryCallVisibly) {
    load(L"OK");
    MapiHandle session = 0;
    EXPECT_EQ(logon(0, session), 2u);
    EXPECT_NE(outboxFile(L"outbox.log").find("error unknown RIMTRACE_MAPI_MODE \"OK\""),
              std::string::npos);
}

TEST_F(OutboxDll, MessagesAreNumberedInTurn) {
    load();
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    const std::wstring attachment = report();
    EXPECT_EQ(sendReport(session, attachment), kMapiSuccess);
    EXPECT_EQ(sendReport(session, attachment), kMapiSuccess);
    EXPECT_NE(outboxFile(L"message-002.txt"), "<missing>");
    EXPECT_EQ(outboxFile(L"message-003.txt"), "<missing>");
}

TEST_F(OutboxDll, SessionsNotHandedOutAreRefused) {
    load();
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    EXPECT_EQ(logoff_(session + 7, 0, 0, 0), 19u);
    EXPECT_EQ(logoff_(session, 0, 0, 0), kMapiSuccess);
    EXPECT_EQ(sendReport(session, report()), 19u);     // after its logoff
    EXPECT_EQ(sendReport(0, report()), kMapiSuccess);  // the implicit session
}

TEST_F(OutboxDll, NoticeWindowOnScreenIsNoted) {
    load();
    const win32::UniqueWindow notice(CreateWindowExW(0, L"STATIC", L"Sending",
                                                     WS_POPUP | WS_VISIBLE, 10, 20, 300, 40,
                                                     nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(notice) << "needs a display (run under xvfb-run)";
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    ASSERT_EQ(sendReport(session, report()), kMapiSuccess);
    ShowWindow(notice.get(), SW_HIDE);
    ASSERT_EQ(sendReport(session, report()), kMapiSuccess);
    const std::string shown = outboxFile(L"message-001.txt");
    EXPECT_NE(shown.find("sending_window=visible\nsending_window_rect=10,20,310,60\n"),
              std::string::npos);
    EXPECT_NE(outboxFile(L"message-002.txt").find("sending_window=hidden\n"), std::string::npos);
}

}  // namespace
