#pragma once
#include "report_tool/reading/byte_source.h"
#include "report_tool/reading/findings.h"
#include "report_tool/reading/report_model.h"

// A report read strictly against the format the program writes: every line in its place, labels
// as whole lines, counts honoured, numbers in the program's exact spelling, CR LF line ends. A
// file whose line ends are all LF is read with a warning (a mail gateway's doing, the content is
// whole). Whatever is wrong is a problem on the line where it shows; reading goes on at the next
// line it recognises, so one damaged line does not hide the rest of the file.
struct ReadResult {
    ParsedReport report;
    Findings findings;
};

// The serial number is read in `serialCodePage` (see ShowText); bytes that are not text in it are
// a warning.
ReadResult ReadReport(ByteSource& source, const std::optional<CodePage>& serialCodePage = {});

// The label of point array i (0..11): "# left", ..., "# top 2", ..., "# top extra".
std::string PointArrayLabel(std::size_t i);
// The label of free stroke i: "# extra stroke i".
std::string ExtraStrokeLabel(std::size_t i);
