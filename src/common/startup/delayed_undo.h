// Taking back a delayed start: whether the program had a delay record is kept, and the entry
// is put back in its place (or delayed again) until it is so once more.
#pragma once
#include <string>

bool DelayedUndoRecord(const char* title, const char* command, const char* key, int code,
                       int rundll, const std::string& program);
// The history line of an entry that was delayed.
void DelayedLine(const char* title, const char* command, const char* key, int code);
bool DelayedUndoPutBack(const std::string& part);
std::string DelayedUndoRecapture(const std::string& part);
