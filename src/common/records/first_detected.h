// When each item was first seen: Software\Tamsel\Detected\<category>.
#pragma once
#include <windows.h>

#include <string>

#include "foundation/filefacts.h"

// Category keys the codes do not spell out: ActiveX records hold the CLSID's server as given,
// and every category code without a key of its own reads ActiveTasks.
inline constexpr char kFirstDetectedActiveX[] = "ActiveX";
inline constexpr char kFirstDetectedActiveTasks[] = "ActiveTasks";

// Software\Tamsel\Detected\<categoryKey>.
std::string FirstDetectedPath(const char* categoryKey);
// The category key under which an item of the code is read.
const char* FirstDetectedKey(int code);
int RecordFirstDetected(const char* name, const char* categoryKey);
int FirstDetectedText(const char* name, int code, char* out24);
void PruneFirstDetected(HKEY root, const char* categoryKey);
// A file's size and times with the date it was first detected under the category of kind.
int ReadFileFacts(const char* path, int kind, FileFactsRecord* out);
