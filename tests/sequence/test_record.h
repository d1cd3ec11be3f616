#pragma once
#include <array>
#include <string>
#include <vector>

#include "analysis/edge_stats.h"
#include "app/rimtrace_dlg.h"
#include "framework/local_date_time.h"
#include "report_tool/reading/report_model.h"

// What the trace window's test held at one moment: everything its report is written from.
struct TestRecord {
    std::array<std::vector<BoardPoint>, 12> points;
    std::vector<std::vector<BoardPoint>> strokes;
    std::array<EdgeStats, 4> stats{};
    std::wstring serialNumber;
};

TestRecord RecordOf(const CRimtraceDlg& dlg);

// The serial number as the report and the mail must carry it: every control character (C0 and
// DEL) written as a blank.
std::string WrittenSerial(const std::string& ansiSerial);
std::wstring BlankControls(const std::wstring& serial);

// Where a report read back differs from the test it was written from; empty when it does not.
// `ansiSerial` is the serial number in the ANSI code page, `writtenAt` the time of writing.
std::string CompareReport(const ParsedReport& file, const TestRecord& test,
                          const std::string& ansiSerial, const LocalDateTime& writtenAt);
