// The block that heads the system report and the scan log: who wrote it and when, the
// platform, the browsers and the browser settings that hijackers change.
#pragma once
#include <string>
#include <vector>

class ReportFile;

// The platform's name, service pack and build, e.g. "Windows XP SP2 Home Edition Service
// Pack 2 (Build 2600)" or "Windows 10 Pro (Build 19045)".
std::string OsVersionText();

// The header of the system report; html escapes every text read from the system and ends
// lines with "<br>".
void WriteReportHeader(ReportFile& file, bool html);

// "<time>, on <date>" of now, in the reports' 12-hour form.
std::string ReportNowText();
// The program caption and build text of "... created by %s version %s".
std::string ReportProgramCaption();
std::string ReportBuildText();

// The lines below carry no line end; the caller adds its own. html escapes the system's
// texts and adds the report's markup.
// "Browser: <path> - <description> version <version>", with label "Browser" in the report
// and "Default Browser" in the scan log; "Browser: Unable to find default browser." when
// there is none.
std::string ReportBrowserLine(bool html, const char* label);
// "MSIE: <description> (<version>)" or "MSIE: Internet Explorer Not found.".
std::string ReportMsieLine(bool html);
// True when Internet Explorer's program file exists (the cookie-path line follows then).
bool ReportMsiePresent();
// "IE Cookie Path: <folder> ".
std::string ReportCookiePathLine(bool html);
// AOL, Firefox, Mozilla and Netscape, each when installed. scanLog picks the scan log's
// wording ("America Online version %s running %s", "... installed in %s.").
std::vector<std::string> ReportOtherBrowserLines(bool html, bool scanLog);
// The platform's memory load in percent; -1 when it cannot be read.
long ReportMemoryLoad();
