// When each item was first seen: Software\Tamsel\Detected\<category>.
#pragma once
#include <windows.h>

int RecordFirstDetected(const char* name, const char* categoryKey);
int FirstDetectedText(const char* name, int code, char* out24);
void InitFirstDetected();
void PruneFirstDetected(HKEY root, const char* categoryKey);
