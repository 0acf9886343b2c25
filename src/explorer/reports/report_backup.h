// Registry backups the user restores by opening them in the Windows shell: Korvane's own
// settings, and separately the two Run keys. Every value keeps its type and its full data,
// and every level of sub-keys is written.
#pragma once
#include <windows.h>

#include <string>

class ReportFile;

// The value lines of one key; the number written, or -1 when the key cannot be opened.
int ExportValues(ReportFile& file, HKEY root, const std::string& keyPath);
// The key's header and values, then each sub-key below it, at every level. The number of keys
// written; 0 when the key is not there; -1 (GetLastError() says why) when it is there but
// cannot be read.
int ExportKey(ReportFile& file, HKEY root, const std::string& keyPath);

// "<user name>-Korvane.reg" and "RegRunBackup.reg" in the data folder; empty when there is
// none.
std::string BackupSettingsPath();
std::string BackupRunKeysPath();

// Writes the settings backup (per-user Software\Tamsel\Korvane, per-machine SOFTWARE\Tamsel)
// to path, replacing an older file only once the new one is complete; false with
// GetLastError() when it could not be written.
bool BackupSettingsFile(const std::string& path);
// The same for the per-user and per-machine Run keys.
bool BackupRunKeysFile(const std::string& path);

// The settings backup to its file, then a box naming the file (string 854) or telling why
// it could not be written. 1 when written.
int BackupSettings(HWND owner);
// The Run-key backup to its file, silently on success; a failure is told. 1 when written.
int BackupRunKeys(HWND owner);
