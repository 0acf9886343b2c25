// Handing a finished report to the user: opened with the shell, and any failure told in a
// box, never passed over in silence.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

// Opens the file with the shell's "open" verb; false (after telling the user) when no
// program could open it.
bool ReportShow(HWND owner, const std::string& path);
// Tells the user that the report at path could not be written, with the system's reason.
void ReportTellNotWritten(HWND owner, const std::string& path, DWORD error);
// The system's text for an error number, without its line end; the number when none.
std::string ReportErrorText(DWORD error);
// The localised text with each "%s" filled, in order, by the next value. The text may come
// from the registry, so it is never used as a format.
std::string ReportFillText(int stringId, std::initializer_list<std::string_view> values);
