// Taking back a file type the monitor restored: the ProgID value and the open command it had
// before are kept and put back.
#pragma once
#include <windows.h>

// The two places the restore writes; commandKey empty when it writes only the ProgID.
struct FileTypeUndoPlaces {
  HKEY progRoot;
  const char* progKey;
  const char* progValue;
  HKEY commandRoot;
  const char* commandKey;
};
bool FileTypeUndoRecord(const char* ext, const char* command, const FileTypeUndoPlaces& places);
// The history line of a restore that happened: the command given back and the one replaced.
void FileTypeRestoredLine(const char* ext, const char* command, const char* replaced);
