// The system report: every item of the nine sections with what is known of its program, as
// an HTML page or, with the option Format = 1, as a tab-separated text table.
#pragma once
#include <windows.h>

#include <string>

// Writes the report to path (replacing an older file only once the new one is complete);
// false, with GetLastError() telling why, when it could not be written.
bool WriteSystemReportFile(const std::string& path, bool html);
// The file the report's buttons write: KorvaneLog.txt in the data folder with the option
// Format = 1, KorvaneLog.html otherwise; empty when there is no data folder.
std::string SystemReportPath();
// KorvaneLog.html (KorvaneLog.txt with Format = 1) in the data folder, written and opened
// with the shell; a failure to write or to open it is told to the user in a box.
bool WriteSystemReport(HWND owner);
