// The explorer's command line: which page command a start asks for, whether it also asks
// for the monitor, and whether it asks a running explorer to close. Platform-free.
#pragma once
#include <string>
#include <string_view>

struct ExplorerSwitches {
  int pageCommand;    // the last matching switch's command, else the start page
  bool startMonitor;  // "-START": start the monitor when it does not run
  bool quit;          // "-Q": close a running explorer, start none
};

// The page the stored StartTab reopens: StartTab itself when it is one of the page
// commands, the Startup page for anything else (0, action commands, stray numbers).
int StartPageCommand(int storedStartTab);
// Every switch is a case-insensitive substring test, so several may match; the last one in
// the table wins. A command line of 773 characters or more matches nothing.
ExplorerSwitches ParseExplorerSwitches(std::string_view commandLine, int storedStartTab);

// The documents "-Report <kind> <file>" writes without opening a window.
enum class ReportKind { Html, Text, ScanLog, Spreadsheet, Backup, Json };

struct ReportSwitch {
  bool present = false;  // the line holds the word "-Report"
  bool valid = false;    // and a known kind and a file name after it
  ReportKind kind = ReportKind::Html;
  std::string path;
};

// The line is split into words at blanks and tabs; a pair of '"' keeps blanks inside a word
// and is dropped. The switch is a word of its own, in any case, so a file or folder name that
// merely holds "-report" is no switch; the kind (html, txt, log, csv, reg, json, any case)
// and the file are the next two words.
ReportSwitch ParseReportSwitch(std::string_view commandLine);
// The kind's word on the command line.
std::string_view ReportKindName(ReportKind kind);
