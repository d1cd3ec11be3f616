#include "app/rimtrace_dlg.h"

void CRimtraceDlg::OnPaint(fw::DC&) {}
