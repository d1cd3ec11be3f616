#include "app/run_mode.h"

bool IsDiagnosticRun(std::wstring_view arguments) {
    return arguments != L"-service";
}

bool IsRestoreRun(std::wstring_view arguments) {
    return arguments == L"-restore";
}
