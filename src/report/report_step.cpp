// The end of a test: the report choices from the end-of-test dialog, and at window destruction
// the report file and its mail. A report that cannot be written where the user asked is saved
// in the Documents folder instead, and the user is told where it is.
#include <filesystem>

#include "app/rimtrace_dlg.h"
#include "framework/constants.h"
#include "framework/platform.h"
#include "report/default_report_name.h"
#include "report/mail_recipients.h"
#include "report/mail_text.h"
#include "report/report_file.h"
#include "report/report_writer.h"
#include "report/save_data_dlg.h"
#include "report/sending_report_dlg.h"
#include "report/text_format.h"
#include "res/resource.h"

namespace {

// What the user is told when the report could not be written where it was asked to go.
constexpr std::wstring_view kReportMovedMessage =
    L"The report could not be written to %s.  It was saved here instead: %s.";
// When there is no Documents folder to fall back on.
constexpr std::wstring_view kReportNotWrittenMessage =
    L"The report could not be written to %s.  No report was saved and nothing was sent.";
constexpr std::wstring_view kReportNotSavedMessage =
    L"The report could not be written to %s, nor to %s.  No report was saved and nothing was "
    L"sent.";

constexpr unsigned kWarningStyle = fw::kMbOk | fw::kMbIconExclamation | fw::kMbTopmost;

void Warn(std::wstring_view text) {
    fw::Platform& platform = fw::CurrentPlatform();
    platform.messageBox(text, platform.appName(), kWarningStyle);
}

// A wide path as the file system's path; empty where the system's narrow encoding cannot hold
// it (only possible off Windows, where paths are narrow).
std::filesystem::path FileSystemPath(const std::wstring& path) {
    try {
        return std::filesystem::path(path);
    } catch (const std::exception&) {
        return {};
    }
}

// Where a report that could not be written at `chosen` goes instead: the same file name in the
// Documents folder (a generated one when the chosen path names no file).
std::wstring FallbackPath(const std::wstring& chosen) {
    fw::Platform& platform = fw::CurrentPlatform();
    const std::wstring folder = platform.documentsFolder();
    if (folder.empty()) {
        return {};
    }
    // Only the file name: a drive-relative name ("D:rep.pts") must not take the folder away.
    const std::size_t slash = chosen.find_last_of(L"\\/:");
    std::wstring name = slash == std::wstring::npos ? chosen : chosen.substr(slash + 1);
    if (name.empty()) {
        const std::wstring generated = DefaultReportName(L"", platform.localTime());
        name = generated.substr(generated.find_last_of(L'\\') + 1);
    }
    const std::filesystem::path fallback = FileSystemPath(folder) / FileSystemPath(name);
    return fallback.empty() ? std::wstring() : fallback.wstring();
}

}  // namespace

void CRimtraceDlg::ShowSaveDialog() {
    CSaveDataDlg dialog;
    if (dialog.DoModal() != fw::kIdOk) {
        return;
    }
    m_reportPath = dialog.m_fileName;
    m_sendReport = dialog.m_send;
    m_serialNumber = dialog.m_serial;
    fw::Platform& platform = fw::CurrentPlatform();
    if (dialog.m_internalTrace) {
        m_stage = stage::kInternalLeft;
        SetPrompt(platform.loadString(IDS_LINE_DOWN), 0);
        RepaintAll();
    } else if (dialog.m_secondTrace) {
        m_stage = stage::kSecondLeft;
        SetPrompt(platform.loadString(IDS_TRACE_LEFT), IDB_TRACE_LEFT);
        RepaintAll();
    }
}

bool CRimtraceDlg::WriteReport(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    fw::Platform& platform = fw::CurrentPlatform();
    const ReportContent content{platform.toAnsi(m_serialNumber), platform.localTime(), m_edgeStats,
                                m_tracePoints, m_extraStrokes};
    return WriteReportFile(FileSystemPath(path), FormatReport(content));
}

void CRimtraceDlg::RunReportStep() {
    if (m_reportPath.empty()) {
        return;
    }
    std::wstring written = m_reportPath;
    if (!WriteReport(written)) {
        const std::wstring fallback = FallbackPath(m_reportPath);
        if (fallback.empty()) {
            Warn(FormatText(kReportNotWrittenMessage, {m_reportPath}));
            return;
        }
        if (!WriteReport(fallback)) {
            Warn(FormatText(kReportNotSavedMessage, {m_reportPath, fallback}));
            return;
        }
        Warn(FormatText(kReportMovedMessage, {m_reportPath, fallback}));
        written = fallback;
    }
    if (!m_sendReport) {
        return;
    }
    CSendingReportDlg notice;
    if (notice.Create()) {
        notice.window()->show();
        notice.window()->updateNow();
    }
    const bool sent = SendMail(std::wstring(kMailRecipients), std::wstring(kMailSubject),
                               FormatMailBody(m_serialNumber), written);
    notice.DestroyWindow();
    if (!sent) {
        Warn(FormatSendFailureMessage(written));
    }
}
