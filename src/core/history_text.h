// The history log's text: name tables, the stamp, one line written, lines read back.
// Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "item_codes.h"

inline constexpr int kHistoryActionUnknown = 31;
// Longest line without its CR LF.
inline constexpr std::size_t kHistoryLineMax = 1023;

struct HistoryName {
  int code;
  const char* name;
};

// In table order; lookups take the first entry with the code or name.
extern const HistoryName kHistoryTypeNames[];
extern const std::size_t kHistoryTypeNameCount;
extern const HistoryName kHistoryActionNames[];
extern const std::size_t kHistoryActionNameCount;

// "TYPE_UNKNOWN" for a code outside the table.
const char* HistoryTypeNameOf(int code);
// "LOG_UNKNOWN" for a code outside the table.
const char* HistoryActionNameOf(int code);
// 3000 for an unknown name.
int HistoryTypeCodeOf(std::string_view name);
// 31 (LOG_UNKNOWN) for an unknown name.
int HistoryActionCodeOf(std::string_view name);
// True for the actions the history can take back: those whose name begins with '*'.
bool HistoryActionReversible(int code);

// "MM/DD/YYYY  h:mm AM"; never is the whole text when year, month and day are all 0.
std::string HistoryStampText(unsigned year, unsigned month, unsigned day, unsigned hour,
                             unsigned minute, std::string_view never);

// Six TAB-separated fields, at most kHistoryLineMax characters, always ended by CR LF.
// TAB, CR and LF inside a field become blanks so that a field cannot split the line.
std::string HistoryLineText(std::string_view stamp, std::string_view action, std::string_view type,
                            std::string_view title, std::string_view command,
                            std::string_view extra);

// One line as the history page lists it. Fields longer than their width are empty.
struct HistoryRecord {
  std::string stamp;    // under 32 characters
  std::string title;    // under 128
  std::string command;  // under 260
  std::string extra;    // under 260; only from a line with exactly five TABs
  int typeCode = kHistoryTypeUnknown;
  int actionCode = kHistoryActionUnknown;
};

// A line without its LF; a CR that ends it is not part of the last field.
HistoryRecord ParseHistoryLine(std::string_view line);
// Every LF-ended line of the file, in file order; text after the last LF is not a line.
std::vector<HistoryRecord> ParseHistoryText(std::string_view text);
