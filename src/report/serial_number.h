#pragma once
#include <string>
#include <string_view>

// The serial number as the report and the mail carry it: every control character (line breaks
// and tabs that a paste or an automation tool can put into the one-line field, C1 controls too)
// becomes a blank, so the serial stays on its one line and cannot forge a section of the report.
std::wstring SerialNumberForText(std::wstring_view typed);
