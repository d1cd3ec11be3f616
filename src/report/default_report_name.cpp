#include "report/default_report_name.h"

#include "report/text_format.h"

namespace {
constexpr std::wstring_view kReportNameFormat = L"%s\\LMEdgeReport_%.2d-%.2d-%d_%d.%.2d.%.2d.pts";
}  // namespace

std::wstring DefaultReportName(std::wstring_view exePath, const LocalDateTime& time) {
    const std::size_t lastSeparator = exePath.rfind(L'\\');
    const std::wstring_view directory =
        lastSeparator == std::wstring_view::npos ? exePath : exePath.substr(0, lastSeparator);
    return FormatText(kReportNameFormat, {directory, time.day, time.month, time.year, time.hour,
                                          time.minute, time.second});
}
