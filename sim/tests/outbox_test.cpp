#include "mapi32/mapi_mode.h"
#include "mapi32/outbox_record.h"

#include <gtest/gtest.h>

namespace outbox {
namespace {

TEST(OutboxText, QuotingKeepsEveryByteRecoverable) {
    EXPECT_EQ(QuotedText("a \"b\" \\c"), R"("a \"b\" \\c")");
    EXPECT_EQ(QuotedText(" \n\t\t\r"), R"(" \n\t\t\r")");
    EXPECT_EQ(QuotedText(std::string("\x01\xE9\x7F", 3)), R"("\x01\xE9\x7F")");
    EXPECT_EQ(QuotedOrNull(nullptr), "null");
    EXPECT_EQ(QuotedOrNull(""), "\"\"");
    EXPECT_EQ(HexNumber(0xFFFFFFFF), "0xFFFFFFFF");
    EXPECT_EQ(HexNumber(0), "0x0");
}

TEST(OutboxModes, NamesRoundTripAndUnknownIsRejected) {
    for (const MapiMode mode : {MapiMode::Ok, MapiMode::FirstLogonFails, MapiMode::BothLogonsFail,
                                MapiMode::UserCancels}) {
        EXPECT_EQ(ParseMapiMode(MapiModeName(mode)), mode);
    }
    EXPECT_FALSE(ParseMapiMode("OK"));
    EXPECT_FALSE(ParseMapiMode(""));
}

TEST(OutboxModes, LogonsFailAsConfigured) {
    EXPECT_EQ(LogonResult(MapiMode::Ok, 0), kMapiSuccess);
    EXPECT_EQ(LogonResult(MapiMode::FirstLogonFails, 0), kMapiLoginFailure);
    EXPECT_EQ(LogonResult(MapiMode::FirstLogonFails, kMapiLogonUi), kMapiSuccess);
    EXPECT_EQ(LogonResult(MapiMode::BothLogonsFail, 0), kMapiLoginFailure);
    EXPECT_EQ(LogonResult(MapiMode::BothLogonsFail, kMapiLogonUi), kMapiLoginFailure);
    EXPECT_EQ(LogonResult(MapiMode::UserCancels, 0), kMapiSuccess);
}

TEST(OutboxModes, SendingFailsForCancelAndMissingAttachment) {
    EXPECT_EQ(SendResult(MapiMode::Ok, true), kMapiSuccess);
    EXPECT_EQ(SendResult(MapiMode::UserCancels, true), kMapiUserAbort);
    EXPECT_EQ(SendResult(MapiMode::Ok, false), kMapiAttachmentNotFound);
    EXPECT_EQ(SendResult(MapiMode::UserCancels, false), kMapiAttachmentNotFound);
}

MapiRecipDesc Recipient(char* name) {
    MapiRecipDesc recipient{};
    recipient.ulRecipClass = kMapiTo;
    recipient.lpszName = name;
    return recipient;
}

TEST(OutboxRecord, HoldsEverythingTheProgramHandedOver) {
    char first[] = "edge@example.invalid";
    char second[] = "support@example.invalid";
    char subject[] = "Edge Report";
    char body[] = "line 1\n \t\t\nThank you.";
    char path[] = "Z:\\tmp\\r.pts";
    MapiRecipDesc recipients[] = {Recipient(first), Recipient(second)};
    MapiFileDesc file{};
    file.nPosition = 0xFFFFFFFF;
    file.lpszPathName = path;
    MapiMessage message{};
    message.lpszSubject = subject;
    message.lpszNoteText = body;
    message.nRecipCount = 2;
    message.lpRecips = recipients;
    message.nFileCount = 1;
    message.lpFiles = &file;
    SendFacts facts;
    facts.session = 1;
    facts.sessionState = "open";
    facts.flags = kMapiDialog;
    facts.sending = {true, true, {402, 366, 622, 402}};
    facts.screenWidth = 1024;
    facts.screenHeight = 768;
    facts.bodyFile = "message-001.body";
    facts.attachments = {{true, "message-001.attachment-1"}};

    const std::string record = MessageRecord(message, facts);
    for (const char* line : {"result=0\n",
                             "mode=ok\n",
                             "session=1\n",
                             "session_state=open\n",
                             "flags=0x8\n",
                             "sending_window=visible\n",
                             "sending_window_rect=402,366,622,402\n",
                             "screen=1024,768\n",
                             "subject=\"Edge Report\"\n",
                             "body=\"line 1\\n \\t\\t\\nThank you.\"\n",
                             "body_bytes=21\n",
                             "body_file=message-001.body\n",
                             "originator=null\n",
                             "recipients=2\n",
                             "recipient.1.class=1\n",
                             "recipient.1.name=\"edge@example.invalid\"\n",
                             "recipient.1.address=null\n",
                             "recipient.2.name=\"support@example.invalid\"\n",
                             "attachments=1\n",
                             "attachment.1.position=0xFFFFFFFF\n",
                             "attachment.1.path=\"Z:\\\\tmp\\\\r.pts\"\n",
                             "attachment.1.file_name=null\n",
                             "attachment.1.found=yes\n",
                             "attachment.1.copy=message-001.attachment-1\n"}) {
        EXPECT_NE(record.find(line), std::string::npos) << line;
    }
}

TEST(OutboxRecord, NullListsAndShortFactsAreSafe) {
    MapiMessage message{};
    message.nRecipCount = 3;
    message.nFileCount = 2;
    SendFacts facts;
    facts.sessionState = "implicit";
    const std::string record = MessageRecord(message, facts);
    EXPECT_NE(record.find("recipient_list=null\n"), std::string::npos);
    EXPECT_NE(record.find("attachment_list=null\n"), std::string::npos);
    EXPECT_NE(record.find("body=null\n"), std::string::npos);
    EXPECT_NE(record.find("body_file=none\n"), std::string::npos);
    EXPECT_NE(record.find("sending_window=absent\n"), std::string::npos);
}

TEST(OutboxLog, LinesNameEveryArgument) {
    EXPECT_EQ(LogonLine(0, nullptr, nullptr, kMapiLogonUi, 0, 0, 1),
              "logon ui_param=0x0 profile=null password=null flags=0x1 reserved=0 result=0 "
              "session=1");
    EXPECT_EQ(LogoffLine(1, 0, 0, 0, 0),
              "logoff session=1 ui_param=0x0 flags=0x0 reserved=0 result=0");
    SendFacts facts;
    facts.session = 1;
    facts.flags = kMapiDialog;
    facts.result = kMapiUserAbort;
    EXPECT_EQ(SendLine(facts, "message-002.txt"),
              "send session=1 ui_param=0x0 flags=0x8 reserved=0 result=1 record=message-002.txt");
}

}  // namespace
}  // namespace outbox
