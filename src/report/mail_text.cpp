#include "report/mail_text.h"

#include <algorithm>

#include "report/path_lines.h"
#include "report/serial_number.h"
#include "report/text_format.h"

namespace {
constexpr char kRecipientSeparator = ';';
constexpr std::wstring_view kSendFailureFormat =
    L"The Report could not be sent.  The file can be found here %s.";
}  // namespace

std::wstring FormatMailBody(std::wstring_view serialNumber) {
    return FormatText(kMailBodyTemplate, {SerialNumberForText(serialNumber)});
}

std::wstring FormatSendFailureMessage(std::wstring_view reportPath) {
    // A path too long for one line starts on a line of its own.
    const std::wstring lines = PathLines(reportPath);
    return FormatText(kSendFailureFormat,
                      {lines.find(L'\n') == std::wstring::npos ? lines : L"\n" + lines});
}

std::vector<std::string> SplitRecipients(std::string_view ansiList) {
    std::vector<std::string> recipients;
    std::size_t pos = 0;
    while (true) {
        pos = ansiList.find_first_not_of(kRecipientSeparator, pos);
        if (pos == std::string_view::npos) {
            return recipients;
        }
        const std::size_t end = std::min(ansiList.find(kRecipientSeparator, pos), ansiList.size());
        recipients.emplace_back(ansiList.substr(pos, end - pos));
        pos = end;
    }
}

std::size_t RecipientCount(std::string_view ansiList) {
    return static_cast<std::size_t>(std::ranges::count(ansiList, kRecipientSeparator)) + 1;
}
