// The explorer's command line: which page command a start asks for, whether it also asks
// for the monitor, and whether it asks a running explorer to close. Platform-free.
#pragma once
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
