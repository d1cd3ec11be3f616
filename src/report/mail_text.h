#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::wstring_view kMailSubject = L"Edge Report";

// The form the technician completes in the mail client. Lines end with a bare line feed; the
// lines of one blank and seven tabs leave room to type; nothing follows "Thank you.".
inline constexpr std::wstring_view kMailBodyTemplate =
    L"Please fill in the following information:\n"
    L" \n"
    L"1. The serial number of the interactive whiteboard you tested: %s\n"
    L" \t\t\t\t\t\t\t\n"
    L"2. The name of the LUMORA Support Technician you worked with: \n"
    L" \t\t\t\t\t\t\t\n"
    L"3. The call ticket number: \n"
    L" \t\t\t\t\t\t\t\n"
    L"Thank you.";

// The body template with the board's serial number in its place.
std::wstring FormatMailBody(std::wstring_view serialNumber);

// The message shown when the report could not be mailed, naming where the report was written (a
// long path broken over lines, so the message fits on the screen).
std::wstring FormatSendFailureMessage(std::wstring_view reportPath);

// The addresses of a ";"-separated recipient list, left to right; runs of separators are
// skipped and the list ends at the first empty token, so no address is ever empty.
std::vector<std::string> SplitRecipients(std::string_view ansiList);

// The number of recipient records the mail step allocates: the separators plus one. It exceeds
// the number of addresses when the list has empty tokens; the records left over stay zeroed.
std::size_t RecipientCount(std::string_view ansiList);
