// The built Mapi32.dll, loaded as the program loads it, with its outbox in a temporary folder:
// what the end-to-end checks read of a message, and each way it fails on request or refuses a
// call as a mail client would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "common/file_io.h"
#include "common/wide_text.h"
#include "framework/win32/win32_handles.h"
#include "report/simple_mapi.h"
#include "temp_folder.h"

namespace {

constexpr const char* kBody = "1. serial: SN 1\n \t\t\t\t\t\t\t\nThank you.";

class OutboxDll : public testing::Test {
  protected:
    void TearDown() override {
        library_.reset();
        SetEnvironmentVariableW(L"RIMTRACE_OUTBOX", nullptr);
        SetEnvironmentVariableW(L"RIMTRACE_MAPI_MODE", nullptr);
    }

    void load(const wchar_t* mode = nullptr) {
        SetEnvironmentVariableW(L"RIMTRACE_OUTBOX", outbox_.path().c_str());
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
    MapiUlong sendReport(MapiHandle session, const std::string& attachment) {
        char first[] = "edge@example.invalid";
        char second[] = "support@example.invalid";
        char subject[] = "Edge Report";
        std::string body = kBody;
        std::string path = attachment;
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

    // A report to attach; forward slashes, so its recorded path needs no escapes.
    std::string report() const {
        sim::WriteWholeFile(outbox_.path(L"report.pts"), "report\r\n");
        std::string path = sim::Utf8FromWide(outbox_.path(L"report.pts"));
        std::replace(path.begin(), path.end(), '\\', '/');
        return path;
    }

    std::string outboxFile(const wchar_t* name) const {
        return sim::ReadWholeFile(outbox_.path(name)).value_or("<missing>");
    }

    // The value of KEY in a message record, as the end-to-end checks read it.
    std::string field(const wchar_t* record, std::string_view key) const {
        const std::string text = outboxFile(record);
        const std::string line = std::string(key) + '=';
        std::size_t at = text.starts_with(line) ? 0 : text.find('\n' + line);
        if (at == std::string::npos) {
            return "<none>";
        }
        at = text.find('=', at) + 1;
        return text.substr(at, text.find('\n', at) - at);
    }

    TempFolder outbox_;
    win32::LoadedModule library_;
    MapiLogonFn logon_ = nullptr;
    MapiSendMailFn send_ = nullptr;
    MapiLogoffFn logoff_ = nullptr;
};

TEST_F(OutboxDll, EachMessageIsRecordedWholeUnderTheNextNumberAndEveryCallLogged) {
    load();
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    EXPECT_EQ(session, 1u);
    const std::string attachment = report();
    EXPECT_EQ(sendReport(session, attachment), kMapiSuccess);
    EXPECT_EQ(sendReport(session, attachment), kMapiSuccess);
    EXPECT_EQ(logoff_(session, 0, 0, 0), kMapiSuccess);
    library_.reset();

    EXPECT_EQ(outboxFile(L"outbox.log"),
              "load\n"
              "logon ui_param=0x0 profile=null password=null flags=0x0 reserved=0 result=0 "
              "session=1\n"
              "send session=1 ui_param=0x0 flags=0x8 reserved=0 result=0 "
              "record=message-001.txt\n"
              "send session=1 ui_param=0x0 flags=0x8 reserved=0 result=0 "
              "record=message-002.txt\n"
              "logoff session=1 ui_param=0x0 flags=0x0 reserved=0 result=0\n"
              "unload\n");
    EXPECT_EQ(outboxFile(L"message-001.body"), kBody);
    EXPECT_EQ(outboxFile(L"message-001.attachment-1"), "report\r\n");
    const wchar_t* record = L"message-001.txt";
    EXPECT_EQ(field(record, "mode"), "ok");
    EXPECT_EQ(field(record, "session_state"), "open");
    EXPECT_EQ(field(record, "subject"), "\"Edge Report\"");
    EXPECT_EQ(field(record, "body"), R"("1. serial: SN 1\n \t\t\t\t\t\t\t\nThank you.")");
    EXPECT_EQ(field(record, "recipients"), "2");
    EXPECT_EQ(field(record, "recipient.2.name"), "\"support@example.invalid\"");
    EXPECT_EQ(field(record, "attachment.1.path"), "\"" + attachment + "\"");
    EXPECT_EQ(field(record, "attachment.1.position"), "0xFFFFFFFF");
    EXPECT_EQ(field(record, "attachment.1.found"), "yes");
    EXPECT_EQ(field(record, "attachment.1.copy"), "message-001.attachment-1");
    EXPECT_EQ(field(record, "sending_window"), "absent");
    EXPECT_EQ(outboxFile(L"message-003.txt"), "<missing>");
}

// What each RIMTRACE_MAPI_MODE answers to the silent logon, the one that may ask the user, and
// the message sent in the session handed out (else the implicit one).
struct ModeCase {
    const wchar_t* mode;
    MapiUlong silentLogon;
    MapiUlong promptLogon;
    MapiUlong send;
    bool known;  // false: every call fails, and the log says why
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << sim::Utf8FromWide(c.mode);
}

class OutboxMode : public OutboxDll, public testing::WithParamInterface<ModeCase> {};

TEST_P(OutboxMode, AnswersAsDocumented) {
    const ModeCase& c = GetParam();
    load(c.mode);
    MapiHandle session = 0;
    EXPECT_EQ(logon(0, session), c.silentLogon);
    EXPECT_EQ(logon(kMapiLogonUi, session), c.promptLogon);
    EXPECT_EQ(sendReport(session, report()), c.send);
    if (c.known) {
        EXPECT_EQ(field(L"message-001.txt", "result"), std::to_string(c.send));
        EXPECT_EQ(field(L"message-001.txt", "mode"), sim::Utf8FromWide(c.mode));
    } else {
        EXPECT_EQ(outboxFile(L"message-001.txt"), "<missing>");
        EXPECT_NE(outboxFile(L"outbox.log").find("error unknown RIMTRACE_MAPI_MODE \"OK\""),
                  std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMode, OutboxMode,
                         testing::Values(ModeCase{L"ok", 0, 0, 0, true},
                                         ModeCase{L"first-logon-fails", 3, 0, 0, true},
                                         ModeCase{L"both-logons-fail", 3, 3, 0, true},
                                         ModeCase{L"user-cancels", 0, 0, 1, true},
                                         ModeCase{L"send-fails", 0, 0, 2, true},
                                         ModeCase{L"OK", 2, 2, 2, false}));

TEST_F(OutboxDll, RefusesWhatAMailClientRefusesAndStillRecordsTheMessage) {
    load(L"user-cancels");
    MapiHandle session = 0;
    ASSERT_EQ(logon(0, session), kMapiSuccess);
    EXPECT_EQ(sendReport(session, "Z:/no/such/report.pts"), 11u);  // wins over the cancel
    EXPECT_EQ(field(L"message-001.txt", "attachment.1.found"), "no");
    EXPECT_EQ(field(L"message-001.txt", "attachment.1.copy"), "none");

    EXPECT_EQ(logoff_(session + 7, 0, 0, 0), 19u);
    EXPECT_EQ(logoff_(session, 0, 0, 0), kMapiSuccess);
    EXPECT_EQ(sendReport(session, report()), 19u);  // after its logoff
    EXPECT_EQ(field(L"message-002.txt", "session_state"), "unknown");
}

TEST_F(OutboxDll, TheSendingNoticeOnScreenIsNoted) {
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
    EXPECT_EQ(field(L"message-001.txt", "sending_window"), "visible");
    EXPECT_EQ(field(L"message-001.txt", "sending_window_rect"), "10,20,310,60");
    EXPECT_EQ(field(L"message-002.txt", "sending_window"), "hidden");
}

}  // namespace
