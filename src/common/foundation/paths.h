// Where the programs live, command normalisation, file existence and program identity.
#pragma once
#include <windows.h>

inline constexpr int kPathSize = 261;

enum BrowserKindCode { kBrowserIE = 1, kBrowserNetscape, kBrowserFirefox, kBrowserMaxthon,
                       kBrowserAvant, kBrowserMozilla };

int ProgramFolder(char* out, int capacity);
int DataFolder(char* out, int capacity);
// The data folder of the account whose hive this is, as DataFolder finds it, without making
// it; 0 when the hive names no application-data folder.
int DataFolderOf(HKEY hive, char* out, int capacity);
int LongPath(const char* path, char* out, int capacity);
// name is a buffer of kPathSize bytes; it may be rewritten to the System-folder short form.
bool FileExists(char* name);
int NormaliseCommand(const char* command, char* out, int capacity);
// The folders NormaliseCommand puts in for "\SystemRoot" and "%ProgramFiles%" forms, read once
// for a run of many commands (a list of thousands of entries).
struct CommandFolders {
  char windows[kPathSize];
  char programFiles[kPathSize];
};
void CommandFoldersRead(CommandFolders& folders);
int NormaliseCommandIn(const CommandFolders& folders, const char* command, char* out,
                       int capacity);
int DefaultBrowserCommand(char* out, int capacity);
int IEPath(char* out, int capacity);
int BrowserKind();
int ProgramIdentity(char* out, int capacity);
// The identity as ProgramIdentity builds it for a given program folder and running executable.
int ProgramIdentityOf(const char* folder, const char* runningPath, char* out, int capacity);
