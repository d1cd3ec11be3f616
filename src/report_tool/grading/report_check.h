#pragma once
#include <filesystem>

#include "report_tool/reading/byte_source.h"
#include "report_tool/reading/report_reader.h"

// A report read strictly and graded again: everything `check` says about it. Re-grading takes the
// stored points through the program's own analysis and reports every stored line that disagrees:
// each first-pass statistic and verdict against the statistics of that edge's points, and each
// step of a traced edge or line against the rule by which the program accepts a point (1 to 300
// units onward along the direction of travel). Sections that could not be read whole are left to
// the problems the reader found in them.
using CheckedReport = ReadResult;

// The serial number is read in `serialCodePage` (see ShowText).
CheckedReport CheckReport(ByteSource& source, const std::optional<CodePage>& serialCodePage = {});
// The same for a file; a file that cannot be opened is one problem about the whole file.
CheckedReport CheckReportFile(const std::filesystem::path& path,
                              const std::optional<CodePage>& serialCodePage = {});
// What there is to say of a file that could not be opened.
CheckedReport UnopenedReport(const FileSource& file,
                             const std::optional<CodePage>& serialCodePage = {});
