// Monitored system files (HOSTS and the boot files): their records under the machine-wide
// Sysfiles key, the saved copy of each in the data folder, and accepting or rejecting a change.
#pragma once
#include <vector>

#include "foundation/paths.h"
#include "foundation/settings.h"

inline constexpr int kSystemFileNameSize = 256;

enum class SystemFileState { Missing, Unchanged, Changed };

struct SystemFileRecord {
  char name[kSystemFileNameSize];
  char path[kPathSize];
};

int HostsFilePath(char* out, int capacity);
// 1 when the file exists and its saved copy was made.
int RegisterSystemFile(const char* name, const char* path, const char* comment, int type);
void InitSystemFiles();
// The records that have a location, in registry order.
std::vector<SystemFileRecord> WatchedSystemFiles();
// Compares the file with its record, filling in a missing size or date on the way.
SystemFileState CompareSystemFile(const char* name, const char* path);
int SystemFileComment(const char* name, char* out, int capacity);
int SystemFileSavedCopy(const char* name, char* out, int capacity);

// Both end the watch first when stopWatching is set. On false the thread's last error
// tells why, for the system-error box.
bool AcceptSystemFileChange(const char* name, const char* path, bool stopWatching);
bool RejectSystemFileChange(const char* name, const char* path, bool stopWatching);

// Shows the file in Notepad; a missing file or a failed start is shown as a system error.
int OpenInNotepad(const char* path);
