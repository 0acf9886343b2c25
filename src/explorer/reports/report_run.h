// "KorvaneEx.exe -Report <kind> <file>": one document written without a window, for scripts
// that check many machines. The same writers serve the options page's buttons.
#pragma once
#include "explorer_switches.h"

// Writes the document and gives the process's exit code: 0 when it was written; otherwise
// non-zero, after a message on standard error.
int ReportRun(const ReportSwitch& request);
