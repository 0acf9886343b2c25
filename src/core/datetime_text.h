// Regional date-and-time text. Platform-free: the patterns are handed in.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct CalendarTime {
  std::uint16_t year, month, dayOfWeek, day, hour, minute, second, millisecond;
};

// Index of sShortDate in the known list, or -1 when it matches none.
int ShortDatePatternIndex(std::string_view pattern);
// Index of sTimeFormat in the known list, or -1 when it matches none.
int TimePatternIndex(std::string_view pattern);
// 1-12 for a three-letter month abbreviation as the dates write it (any case), else 0.
int MonthOfAbbreviation(std::string_view name);
// Date part, blank, time part; at most 23 characters.
std::string FormatDateTimeText(const CalendarTime& t, std::string_view shortDate,
                               std::string_view timeFormat);
// "%04d/%02d/%02d %02d:%02d"
std::string CreatedStampText(const CalendarTime& t);
// Seconds since 1970 (UTC) as the platform's 100-ns file time; 0 when out of range.
std::uint64_t UnixSecondsToFileTime(std::int64_t seconds);
