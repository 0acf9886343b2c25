// Version-resource strings and file dates of a program.
#pragma once
#include <windows.h>

inline constexpr int kVersionSlotSize = 1024;
inline constexpr int kVersionTextMax = 127;
inline constexpr int kFactSlotSize = 24;

enum VersionField { kProductName, kProductVersion, kCompanyName, kFileDescription,
                    kLegalCopyright, kVersionFieldCount };
enum FactField { kFactCreated, kFactAccessed, kFactWritten, kFactFirstDetected, kFactSize,
                 kFactFieldCount };

struct VersionStrings {
  char text[kVersionFieldCount][kVersionSlotSize];
};
struct FileFactsRecord {
  char text[kFactFieldCount][kFactSlotSize];
};

// A file's size and last write: what tells a cache that the file changed since it was read.
struct FileStamp {
  ULONGLONG size = 0;
  FILETIME written = {};
  bool valid = false;  // the file could be looked at
};
FileStamp FileStampOf(const char* path);
// Two valid stamps of the same size and last write.
bool FileStampSame(const FileStamp& a, const FileStamp& b);

bool ReadVersionStrings(const char* path, VersionStrings* out);
// Size and the three file times; the first-detected slot is left empty (ReadFileFacts in
// records/first_detected.h fills it too). 0 when the file cannot be looked at.
int ReadFileTimesAndSize(const char* path, FileFactsRecord* out);
// written and size are kFactSlotSize bytes each; size is plain decimal.
int ReadSizeAndWritten(const char* path, char* written, char* size);
