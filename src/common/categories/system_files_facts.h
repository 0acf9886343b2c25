// Inside the monitored system files: a file's facts as its record keeps them, the record's
// key, and copying one file over another without losing either's attributes.
#pragma once
#include <string>

#include "foundation/filefacts.h"

inline constexpr int kSystemFileKeySize = 320;

struct SystemFileFacts {
  char date[kFactSlotSize];  // last-write time, local, as DateTimeText
  char size[kFactSlotSize];  // bytes, decimal
};

// Read from the folder entry, so a file that another program holds locked still has them.
bool ReadSystemFileFacts(const char* path, SystemFileFacts* out);
// The SHA-256 of the file's bytes in hex; false when it cannot be read.
bool SystemFileContentHash(const char* path, std::string& hex);
// A file (not a folder) is there.
bool SystemFileIsThere(const char* path);
// The record's key path; false for an empty name.
bool SystemFileKey(const char* name, char (&key)[kSystemFileKeySize]);
// Read-only, hidden and system are lifted from both files for the copy and put back after
// it; on failure the thread's last error is the copy's.
bool CopyKeepingAttributes(const char* from, const char* to);
