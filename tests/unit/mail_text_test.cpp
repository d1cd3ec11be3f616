#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/mail_text.h"

using Recipients = std::vector<std::string>;

TEST(MailBody, SerialNumberInLineThreeAndExactBytes) {
    EXPECT_EQ(FormatMailBody(L"LB-0815"),
              L"Please fill in the following information:\x0A"
              L" \x0A"
              L"1. The serial number of the interactive whiteboard you tested: LB-0815\x0A"
              L" \x09\x09\x09\x09\x09\x09\x09\x0A"
              L"2. The name of the LUMORA Support Technician you worked with: \x0A"
              L" \x09\x09\x09\x09\x09\x09\x09\x0A"
              L"3. The call ticket number: \x0A"
              L" \x09\x09\x09\x09\x09\x09\x09\x0A"
              L"Thank you.");
}

TEST(MailBody, EmptySerialLeavesLineThreeEndingInColonBlank) {
    const std::wstring body = FormatMailBody(L"");
    EXPECT_NE(body.find(L"you tested: \n \t"), std::wstring::npos);
}

TEST(MailBody, SerialIsInsertedLiterally) {
    const std::wstring body = FormatMailBody(L"50%s%d");
    EXPECT_NE(body.find(L"you tested: 50%s%d\n"), std::wstring::npos);
}

TEST(MailTexts, FailureMessageNamesThePath) {
    EXPECT_EQ(FormatSendFailureMessage(L"D:\\Tools\\LMEdgeReport_05-03-2007_9.07.05.pts"),
              L"The Report could not be sent.  The file can be found here "
              L"D:\\Tools\\LMEdgeReport_05-03-2007_9.07.05.pts.");
}

TEST(MailRecipients, TwoAddressesGiveTwoRecords) {
    EXPECT_EQ(SplitRecipients("a@x;b@y"), (Recipients{"a@x", "b@y"}));
    EXPECT_EQ(RecipientCount("a@x;b@y"), 2u);
}

TEST(MailRecipients, RunsOfSeparatorsAreSkippedButStillCounted) {
    EXPECT_EQ(SplitRecipients(";;a;;b;"), (Recipients{"a", "b"}));
    EXPECT_EQ(RecipientCount(";;a;;b;"), 6u);
    EXPECT_EQ(SplitRecipients("a;;"), (Recipients{"a"}));
    EXPECT_EQ(RecipientCount("a;;"), 3u);
}

TEST(MailRecipients, ListsWithoutAddresses) {
    EXPECT_EQ(SplitRecipients(""), Recipients{});
    EXPECT_EQ(RecipientCount(""), 1u);
    EXPECT_EQ(SplitRecipients(";;;"), Recipients{});
    EXPECT_EQ(RecipientCount(";;;"), 4u);
    EXPECT_EQ(SplitRecipients("only@x"), (Recipients{"only@x"}));
    EXPECT_EQ(RecipientCount("only@x"), 1u);
}
