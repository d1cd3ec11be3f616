#include "report_tool/grading/report_check.h"

#include "report_tool/grading/report_regrade.h"

CheckedReport CheckReport(ByteSource& source) {
    CheckedReport checked = ReadReport(source);
    RegradeReport(checked.report, checked.findings);
    if (source.failed()) {
        checked.findings.problem(0, "expected to read the whole file, found a read error");
    }
    return checked;
}

CheckedReport CheckReportFile(const std::filesystem::path& path) {
    FileSource file(path);
    if (!file.isOpen()) {
        CheckedReport checked;
        checked.findings.problem(0, "expected a report file to read, found " + file.openError());
        return checked;
    }
    return CheckReport(file);
}
