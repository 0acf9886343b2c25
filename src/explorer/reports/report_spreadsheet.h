// The spreadsheet export, KorvaneLog.csv: the items of the startup places and the watched
// categories as comma-separated rows that any spreadsheet opens, with no field able to run
// as a formula.
#pragma once
#include <windows.h>

#include <string>

// KorvaneLog.csv in the data folder; empty when there is none.
std::string SpreadsheetPath();
// Writes the export to path (replacing an older file only once the new one is complete);
// false, with GetLastError() telling why, when it could not be written.
bool WriteSpreadsheetFile(const std::string& path);
// Writes the export and opens it with the shell; a failure is told to the user in a box
// owned by owner. 1 when written and opened.
int WriteSpreadsheet(HWND owner, const std::string& path);
