// Handing an address to the user's browser or to a running AOL client.
#pragma once

// True when an AOL client's main window is open.
bool InfoAolRunning();
// Runs the AOL client's command for an info address or a help address.
bool InfoAolOpen(const char* address, bool help);
// Shell "open" of a file or address; the shell's result (above 32 is success).
long long InfoShellOpen(const char* target);
// Runs "<IEPath> <address>" with a normal window.
bool InfoRunInternetExplorer(const char* address);
// Writes <program folder>\temp.url, opens it and deletes it; falls back to the address.
long long InfoOpenThroughShortcut(const char* address);
