// Mailing the report through the computer's Simple MAPI client: the client's compose window
// opens filled in and the technician sends it.
#include <algorithm>
#include <string>
#include <vector>

#include "app/rimtrace_dlg.h"
#include "framework/platform.h"
#include "report/mail_text.h"
#include "report/simple_mapi.h"
#include "report/text_format.h"

namespace {

template <typename Fn>
Fn Entry(const fw::Library& library, const char* name) {
    return reinterpret_cast<Fn>(library.symbol(name));
}

void Trace(std::wstring_view format, MapiUlong result) {
    fw::CurrentPlatform().debugOutput(FormatText(format, {std::int64_t{result}}));
}

}  // namespace

bool CRimtraceDlg::SendMail(const std::wstring& recipients, const std::wstring& subject,
                            const std::wstring& body, const std::wstring& attachment) {
    fw::Platform& platform = fw::CurrentPlatform();
    const std::unique_ptr<fw::Library> mapi = platform.loadLibrary(L"Mapi32.dll");
    if (!mapi) {
        return false;
    }
    const auto logon = Entry<MapiLogonFn>(*mapi, "MAPILogon");
    const auto logoff = Entry<MapiLogoffFn>(*mapi, "MAPILogoff");
    const auto sendMail = Entry<MapiSendMailFn>(*mapi, "MAPISendMail");
    if (logon == nullptr || logoff == nullptr || sendMail == nullptr) {
        return false;
    }

    // First the client's existing session without asking; then let it ask for a profile.
    MapiHandle session = 0;
    MapiUlong result = logon(0, nullptr, nullptr, 0, 0, &session);
    if (result != kMapiSuccess) {
        result = logon(0, nullptr, nullptr, kMapiLogonUi, 0, &session);
        if (result != kMapiSuccess) {
            Trace(L"CRimtraceDlg::SendMail: fnMapiLogon failed.  Error = %d.\n", result);
            return false;
        }
    }

    const std::string recipientList = platform.toAnsi(recipients);
    std::vector<std::string> names = SplitRecipients(recipientList);
    std::vector<MapiRecipDesc> records(RecipientCount(recipientList), MapiRecipDesc{});
    const std::size_t filled = std::min(names.size(), records.size());
    for (std::size_t i = 0; i < filled; ++i) {
        records[i].ulRecipClass = kMapiTo;
        records[i].lpszName = names[i].data();
    }
    // The report was written by its wide path; the mail client only takes ANSI, so a path the
    // code page cannot spell goes by its short form.
    std::string path = platform.toAnsiPath(attachment);
    std::string subjectText = platform.toAnsi(subject);
    std::string bodyText = platform.toAnsi(body);

    MapiFileDesc file{};
    file.nPosition = 0xFFFFFFFF;
    file.lpszPathName = path.data();
    MapiMessage message{};
    message.lpszSubject = subjectText.data();
    message.lpszNoteText = bodyText.data();
    // Only records that name someone are handed over: a list with empty tokens must not give
    // the mail client a recipient without a name.
    message.nRecipCount = static_cast<MapiUlong>(filled);
    message.lpRecips = records.data();
    message.nFileCount = 1;
    message.lpFiles = &file;

    result = sendMail(session, 0, &message, kMapiDialog, 0);
    const bool sent = result == kMapiSuccess;
    if (!sent) {
        Trace(L"CRimtraceDlg::SendMail: fnMapiSendMail failed.  Error = %d.\n", result);
    }
    logoff(session, 0, 0, 0);
    return sent;
}
