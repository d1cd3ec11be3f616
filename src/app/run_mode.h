#pragma once
#include <string_view>

// Which run the command line asks for: the interactive test with analysis and report (true),
// or the unattended service run (false). Only the arguments "-service", exactly and alone,
// select the service run.
bool IsDiagnosticRun(std::wstring_view arguments);

// Whether the command line asks only to give the boards back what a run that died left in the
// restore record: the arguments "-restore", exactly and alone, as for "-service".
bool IsRestoreRun(std::wstring_view arguments);
