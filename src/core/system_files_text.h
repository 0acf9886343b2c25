// Rules of the monitored system files and of the restart-commands viewer. Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Type 0 records count a change only when the size changed too; any other type takes a new
// last-write time alone as a change.
bool SystemFileChanged(std::string_view storedDate, std::string_view currentDate,
                       std::string_view storedSize, std::string_view currentSize, int type);

// The facts of a watched file as its record keeps them and as the file has them now.
struct SystemFileFactsText {
  std::string_view date, size, hash;  // hash: the content's fingerprint, empty when unknown
};
// With both fingerprints known the content decides: new bytes are a change however the time
// stands (a rewrite in the record's minute, a time put back), the same bytes under a new time
// are none. Without them the time and size decide as in SystemFileChanged.
bool SystemFileContentChanged(const SystemFileFactsText& stored,
                              const SystemFileFactsText& current, int type);

inline constexpr std::size_t kRestartViewBytes = 16384;

// What the restart-commands viewer shows of the file's bytes: the first kRestartViewBytes,
// every line feed ending a line as CR LF (a CR LF already there stays as it is), and NULs as
// blanks so that the text is not cut short.
std::string RestartCommandsShown(std::string_view bytes);

// The text to append to wininit.ini so that the file at shortPath is deleted at the next
// restart. The restart program reads "NUL=" lines only under a "[rename]" heading, so one is
// added when the existing text has none; a last line without its line end gets one first.
std::string RestartDeleteAppendix(std::string_view existing, std::string_view shortPath);
