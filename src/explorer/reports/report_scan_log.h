// The scan log, HijackKorvane.log: every hijack-prone setting of the system as one tagged
// line (R0/R1 start pages, F0-F3 boot files, O1-O24 browser and startup places, then the KV
// lines of Korvane's own findings), in the layout that tools and forums for such logs read.
#pragma once
#include <windows.h>

#include <string>

// HijackKorvane.log in the data folder; empty when there is none.
std::string ScanLogPath();
// Writes the log to path (replacing an older file only once the new one is complete); full
// adds the O23 service lines. False, with GetLastError() telling why, when not written.
bool WriteScanLogFile(const std::string& path, bool full);
// Writes the log and opens it with the shell; a failure to write or open it is told to the
// user in a box owned by owner. 1 when written and opened.
int WriteScanLog(HWND owner, const std::string& path, bool full);
