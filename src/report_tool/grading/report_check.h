#pragma once
#include <filesystem>

#include "report_tool/reading/byte_source.h"
#include "report_tool/reading/report_reader.h"

// A report read and re-graded: everything `check` says about it.
using CheckedReport = ReadResult;

CheckedReport CheckReport(ByteSource& source);
// The same for a file; a file that cannot be opened is one problem about the whole file.
CheckedReport CheckReportFile(const std::filesystem::path& path);
