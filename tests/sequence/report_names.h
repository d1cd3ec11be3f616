#pragma once
#include <string>

#include "random_source.h"
#include "run_folder.h"

// Where a report name lets the report go.
enum class NameKind {
    Plain,             // a place that takes the file: the report is written exactly there
    Unwritable,        // no file can be made there: the report goes to the Documents folder
    NeedsDefaultName,  // the Documents folder cannot take the file name either
    SystemDependent,   // valid on some systems only (characters, spelling): one report somewhere
    Empty,             // no report at all
};

struct ReportName {
    std::wstring text;
    NameKind kind;
};

// A name as a technician (or a paste) may put into the File Name box or pick in Save As.
ReportName RandomReportName(RandomSource& rng, const RunFolder& folder);

// A serial number as typed or pasted, sometimes with line breaks, tabs and other control
// characters.
std::wstring RandomSerial(RandomSource& rng);
