// What the explorer reads and does with one delayed-start record, found by the record itself
// (its program and the code that chooses its root), never by a file name alone.
#pragma once
#include <string>
#include <unordered_map>

#include "startup/delayed_start.h"

// The record's delay in seconds; 0 when it has none.
int DelayedRecordSeconds(const char* program, int code);

// Every record's delay, read in one pass over each store's Time key, for a caller that shows
// them all: a read per record opens and closes the key each time.
struct DelayedTimes {
  std::unordered_map<std::string, int> byRoot[kDelayRootCount];  // upper-case program -> seconds
};
DelayedTimes DelayedRecordTimes();
// The record's delay as DelayedRecordSeconds gives it.
int DelayedRecordTimesFind(const DelayedTimes& times, const char* program, int code);
// Starts the record's program now with its own parameters, through its applet when it has
// one; running copies do not stop it. 0 on success, else the shell's error.
int DelayedLaunchNow(const char* program, int code);
