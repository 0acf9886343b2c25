// Text rules of the scan log and the spreadsheet that do not need the system: the O4 tag of
// each Run-family location and the names the spreadsheet gives it. Platform-free.
#pragma once
#include <string>
#include <string_view>

// "O4 - HKLM\..\Run: " and its kin by location code; "O4 - Other Run: " for any other code.
// The 32-bit view's codes (21-27) are per-machine keys and read like their HKLM twins.
std::string_view ScanLogRunTag(int code);
// The whole O4 line body: tag, "[title]", command.
std::string ScanLogRunLine(int code, std::string_view title, std::string_view command);
// An autostart point beyond the Run family: "O4 - <short name>: [title]command".
std::string ScanLogPointLine(std::string_view shortName, std::string_view title,
                             std::string_view command);
// "O4 - Startup: " for a per-user startup folder, "O4 - Global Startup: " for the common one.
std::string ScanLogStartupLine(bool perUser, std::string_view fileName, std::string_view command);

// Type and sub-type columns of a Run-family entry in the spreadsheet: "HKLM" or "HKCU" and
// the key's name; a code outside the Run family is "UnknownKey" under the root perUser says.
struct SpreadsheetRunType {
  std::string_view type, subType;
};
SpreadsheetRunType SpreadsheetRunTypeOf(int code, bool perUser);

// A text from the system made fit for one log line: CR, LF and TAB as blanks, other control
// characters dropped, so that no finding can forge a line of its own.
std::string ScanLogField(std::string_view text);
