// One report document on its way to disk: written through a buffer into a temporary file
// beside the target, and put in the target's place only when every byte is written, so a
// failed or interrupted report never replaces the previous one with half a file.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "foundation/handles.h"

// Where a report named fileName (e.g. "KorvaneLog.html") goes: the data folder, never the
// current folder, which may be read-only or someone else's. Empty when there is no data folder.
std::string ReportDataPath(const char* fileName);

class ReportFile {
 public:
  explicit ReportFile(std::string targetPath);
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;
  ~ReportFile();  // an uncommitted file leaves no temporary behind

  bool ok() const { return ok_; }
  void Write(std::string_view text);
  void WriteLine(std::string_view text);  // text and CR LF
  // Flushes, closes and moves the temporary over the target; false when any write or the
  // move failed (the target is then untouched). GetLastError() tells why.
  bool Commit();
  const std::string& target() const { return target_; }

 private:
  bool Flush();

  std::string target_;
  std::string temporary_;
  std::string buffer_;
  Handle file_;
  bool ok_ = false;
  bool committed_ = false;
  DWORD error_ = 0;
};
