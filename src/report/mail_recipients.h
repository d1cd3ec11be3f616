#pragma once
#include <string_view>

// Who receives the report mail: the edge-trace-data mailbox, then the support mailbox. The list
// is deployment configuration, set when the program is built.
#ifndef RIMTRACE_MAIL_RECIPIENTS
#define RIMTRACE_MAIL_RECIPIENTS L"edge-trace-data@example.com;support@example.com"
#endif
inline constexpr std::wstring_view kMailRecipients = RIMTRACE_MAIL_RECIPIENTS;
