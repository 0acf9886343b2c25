// Taking back a startup entry the monitor disabled: whether the entry was disabled is kept,
// and the entry is toggled back when it is not so any more.
#pragma once
#include <string>

bool StartupUndoRecord(const char* title, const char* command, const char* key, int code);
// The history line of an entry that was disabled.
void StartupDisabledLine(const char* title, const char* command, const char* key, int code);
std::string StartupUndoCapture(const char* title, const char* command, const char* key,
                               int code);
bool StartupUndoPutBack(const std::string& part);
std::string StartupUndoRecapture(const std::string& part);
