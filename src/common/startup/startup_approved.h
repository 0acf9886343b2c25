// Explorer's StartupApproved stores (Windows 8 and later): Task Manager turns a Run value or a
// startup-folder file off there, leaving the entry itself in place. Such an entry is shown as
// disabled, and Korvane's own disabling and enabling keep the store in step.
#pragma once
#include <string>
#include <vector>

// True when the store for the entry's location marks it off. name: the Run value's name, or
// for a startup-folder entry its file (the key; only the file name counts).
bool StartupApprovedOff(int code, const char* name);
// The names of every Run and Run32 value the stores mark off, in upper case.
std::vector<std::string> StartupApprovedOffNames();
// Whether the system keeps the stores: Windows 6.2 and later.
bool StartupApprovedInUse(unsigned major, unsigned minor);
// Marks the entry off (disabled; only on a system that keeps the stores) or on (wherever a
// store marks it off). 1 when the stores agree afterwards (or are not kept).
int StartupApprovedKeep(int code, const char* name, bool disabled);
// The same for a given system version.
int StartupApprovedKeepOn(unsigned major, unsigned minor, int code, const char* name,
                          bool disabled);
