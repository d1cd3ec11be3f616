// The end of a test: the report choices from the end-of-test dialog, and at window destruction
// the report file and its mail. A report that cannot be written where the user asked is saved
// in the Documents folder instead, and the user is told where it is.
#include <filesystem>
#include <vector>

#include "app/rimtrace_dlg.h"
#include "framework/constants.h"
#include "framework/file_replace.h"
#include "framework/platform.h"
#include "report/default_report_name.h"
#include "report/mail_recipients.h"
#include "report/mail_text.h"
#include "report/path_lines.h"
#include "report/report_writer.h"
#include "report/save_data_dlg.h"
#include "report/sending_report_dlg.h"
#include "report/serial_number.h"
#include "report/text_format.h"
#include "res/resource.h"

namespace fs = std::filesystem;

namespace {

// What the user is told when the report could not be written where it was asked to go. Each
// path stands on lines of its own, so that no path, however long, makes the box wider than the
// screen.
constexpr std::wstring_view kReportMovedMessage =
    L"The report could not be written to\n%s\nIt was saved here instead:\n%s";
// When there is no Documents folder to fall back on.
constexpr std::wstring_view kReportNotWrittenMessage =
    L"The report could not be written to\n%s\nNo report was saved and nothing was sent.";
constexpr std::wstring_view kReportNotSavedMessage =
    L"The report could not be written to\n%s\nnor to\n%s\nNo report was saved and nothing was "
    L"sent.";

constexpr unsigned kWarningStyle = fw::kMbOk | fw::kMbIconExclamation | fw::kMbTopmost;

void Warn(std::wstring_view text) {
    fw::Platform& platform = fw::CurrentPlatform();
    platform.messageBox(text, platform.appName(), kWarningStyle);
}

// A wide path as the file system's path; empty where the system's narrow encoding cannot hold
// it (only possible off Windows, where paths are narrow).
fs::path FileSystemPath(const std::wstring& path) {
    try {
        return fs::path(path);
    } catch (const std::exception&) {
        return {};
    }
}

// The file name of a path as the user typed it. A drive-relative name ("D:rep.pts") counts
// only after its colon.
std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// `folder`/`name`, or the first of `name (2)`, `name (3)` ... that no file has yet: a fallback
// never replaces a report that is already there, such as last week's report.pts.
std::wstring UnusedPathIn(const std::wstring& folder, const std::wstring& name) {
    const fs::path base = FileSystemPath(folder) / FileSystemPath(name);
    if (base.empty() || !base.has_filename()) {
        return {};
    }
    const fs::path stem = base.stem();
    const fs::path extension = base.extension();
    fs::path candidate = base;
    for (int copy = 2; copy < 1000; ++copy) {
        std::error_code ec;
        // A name the file system cannot even look up is returned as it is: writing it fails.
        if (!fs::exists(candidate, ec) || ec) {
            return candidate.wstring();
        }
        candidate = base.parent_path() / stem;
        candidate += L" (" + std::to_wstring(copy) + L")";
        candidate += extension;
    }
    return {};
}

// Where a report that could not be written at `chosen` goes instead, in this order: the same file
// name in the Documents folder, then the name the end-of-test dialog proposed (a name Windows
// cannot take there either, for its characters or its length, must not cost the test's data).
std::vector<std::wstring> FallbackNames(const std::wstring& chosen, const std::wstring& proposed) {
    std::vector<std::wstring> names;
    const std::wstring typed = FileNameOf(chosen);
    if (!typed.empty()) {
        names.push_back(typed);
    }
    std::wstring standard = FileNameOf(proposed);
    if (standard.empty()) {
        standard = FileNameOf(DefaultReportName(L"", fw::CurrentPlatform().localTime()));
    }
    if (standard != typed) {
        names.push_back(standard);
    }
    return names;
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
    m_proposedReportName = dialog.m_proposedName;
    const StageRow& finished = RowOf(stage::kFinished);
    const TraceStage next = dialog.m_internalTrace ? finished.nextByInternalTrace
                            : dialog.m_secondTrace ? finished.nextBySecondTrace
                                                   : -1;
    if (next >= 0) {
        m_stage = next;
        ShowPromptOf(m_stage);
        RepaintAll();
    }
}

bool CRimtraceDlg::WriteReport(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    fw::Platform& platform = fw::CurrentPlatform();
    const ReportContent content{platform.toAnsi(SerialNumberForText(m_serialNumber)),
                                platform.localTime(), m_edgeStats, m_tracePoints, m_extraStrokes};
    return WriteFileDurably(FileSystemPath(path), FormatReport(content));
}

std::wstring CRimtraceDlg::WriteReportSomewhere(bool tellUser) {
    if (WriteReport(m_reportPath)) {
        return m_reportPath;
    }
    const std::wstring documents = fw::CurrentPlatform().documentsFolder();
    if (documents.empty()) {
        if (tellUser) {
            Warn(FormatText(kReportNotWrittenMessage, {PathLines(m_reportPath)}));
        }
        return {};
    }
    std::wstring tried;
    for (const std::wstring& name : FallbackNames(m_reportPath, m_proposedReportName)) {
        const std::wstring fallback = UnusedPathIn(documents, name);
        if (fallback.empty()) {
            continue;
        }
        tried = fallback;
        if (WriteReport(fallback)) {
            if (tellUser) {
                Warn(FormatText(kReportMovedMessage,
                                {PathLines(m_reportPath), PathLines(fallback)}));
            }
            return fallback;
        }
    }
    if (tellUser) {
        Warn(FormatText(kReportNotSavedMessage,
                        {PathLines(m_reportPath), PathLines(tried.empty() ? documents : tried)}));
    }
    return {};
}

void CRimtraceDlg::RunReportStep() {
    if (m_reportPath.empty()) {
        return;
    }
    const std::wstring written = WriteReportSomewhere(true);
    if (written.empty() || !m_sendReport) {
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
