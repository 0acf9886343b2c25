// Path rules of the change watcher: the registry key or folder above a watched one, and the
// folder a file lies in. Platform-free.
#pragma once
#include <string>
#include <string_view>

// "A\B\C" becomes "A\B"; false (path unchanged) for a key directly below its root.
bool WatchParentKey(std::string& path);
// "C:\A\B" becomes "C:\A", "C:\A" becomes "C:\"; false for a drive's root or a bare name.
bool WatchParentFolder(std::string& path);
// The folder holding the file: "C:\A\hosts" gives "C:\A", "C:\boot.ini" gives "C:\"; empty
// for a bare name or a path that names no file ("C:\A\").
std::string WatchFolderOfFile(std::string_view file);
