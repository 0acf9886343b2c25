// Steps the startup actions share: the disabled index, exact value copies, win.ini line
// planning and the files of the startup folders. Not for use outside the startup actions.
#pragma once
#include <windows.h>

#include <string>

inline constexpr int kDisabledIndexMissing = -1;
inline constexpr char kActionDelayLoadKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad";
inline constexpr char kActionTaskSchedulerKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SharedTaskScheduler";
inline constexpr char kActionShellHooksKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ShellExecuteHooks";

// The location the disabled index holds for title (0 for text that is no number), or
// kDisabledIndexMissing.
int DisabledIndexCode(const char* title);
int DisabledIndexWrite(const char* title, int code);
int DisabledIndexDelete(const char* title);
// The index holds title for this entry: the same location, or a number that names none.
bool DisabledIndexHolds(const char* title, int code);

// One registry value with its type and bytes, whatever they are.
bool ExactValueExists(HKEY root, const char* subkey, const char* name);
// Copies the value unchanged into toRoot\toKey (created when missing); 1 when written.
int ExactValueCopy(HKEY fromRoot, const char* fromKey, HKEY toRoot, const char* toKey,
                   const char* name);

// The win.ini line without item: 1 with the new line and the first removed item as it was
// written; 0 when the line does not hold it or cannot be read whole.
int WinIniPlanRemove(const char* keyName, const char* item, std::string& line,
                     std::string& removed);
int WinIniWriteLine(const char* keyName, const std::string& line);
// The same win.ini item: ignoring case and quotes, or the same file in long form.
bool WinIniSameItem(const char* a, const char* b);

// The file that is a startup-folder entry: its shortcut or program (key), or for other files
// the file itself (command); empty when it lies in no startup folder nor the disabled folder.
std::string FolderFileOfEntry(const char* command, const char* key);
// Moves the file into the disabled folder; a file found there already counts as moved.
int FolderFileDisable(const std::string& file);
// Moves the disabled copy named like file back; 1 when it is back or there is nothing left
// to move back.
int FolderFileEnable(const std::string& file);
int FolderFileDelete(const std::string& file);
// The disabled copy named like file, when there is one; empty otherwise.
std::string FolderFileDisabledCopy(const std::string& file);
int FolderFileShortcut(const char* title, const char* command, const char* shortcut);
