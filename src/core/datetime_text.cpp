#include "datetime_text.h"

#include <cstdio>

#include "text.h"

namespace {

constexpr std::string_view kShortDatePatterns[] = {"M/d/yyyy", "M/d/yy",     "MM/dd/yy", "MM/dd/yyyy",
                                                   "yy/MM/dd", "yyyy-MM-dd", "dd-MMM-yy"};
constexpr std::string_view kTimePatterns[] = {"h:mm:ss tt", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss"};
constexpr const char* kMonthNames[] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Each part of the text lives in a 12-byte buffer.
constexpr std::size_t kPartSize = 12;

template <std::size_t N>
int PatternIndex(std::string_view pattern, const std::string_view (&list)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (EqualsNoCase(pattern, list[i])) return static_cast<int>(i);
  return -1;
}

std::string DatePart(const CalendarTime& t, int index) {
  char part[kPartSize];
  const int year = t.year, month = t.month, day = t.day;
  switch (index) {
    case 1:
    case 2: std::snprintf(part, sizeof part, "%02d/%02d/%02d", month, day, year); break;
    case 4: std::snprintf(part, sizeof part, "%02d/%02d/%02d", year, month, day); break;
    case 5: std::snprintf(part, sizeof part, "%04d-%02d-%02d", year, month, day); break;
    case 6:
      std::snprintf(part, sizeof part, "%02d-%s-%02d", day, month <= 12 ? kMonthNames[month] : "",
                    year);
      break;
    default: std::snprintf(part, sizeof part, "%02d/%02d/%04d", month, day, year); break;
  }
  return part;
}

std::string TimePart(const CalendarTime& t, int index) {
  char part[kPartSize];
  int hour = t.hour;
  const int minute = t.minute;
  if (index == 2) {
    std::snprintf(part, sizeof part, "%d:%02d", hour, minute);
  } else if (index == 3) {
    std::snprintf(part, sizeof part, "%02d:%02d", hour, minute);
  } else {
    // Noon belongs to the afternoon: "12:05 AM" for five past noon would name midnight.
    const bool afternoon = hour >= 12;
    if (hour > 12) hour -= 12;
    std::snprintf(part, sizeof part, index == 1 ? "%02d:%02d %s" : "%d:%02d %s", hour, minute,
                  afternoon ? "PM" : "AM");
  }
  return part;
}

}  // namespace

int ShortDatePatternIndex(std::string_view pattern) { return PatternIndex(pattern, kShortDatePatterns); }

int TimePatternIndex(std::string_view pattern) { return PatternIndex(pattern, kTimePatterns); }

int MonthOfAbbreviation(std::string_view name) {
  for (int month = 1; month <= 12; ++month)
    if (EqualsNoCase(name, kMonthNames[month])) return month;
  return 0;
}

std::string FormatDateTimeText(const CalendarTime& t, std::string_view shortDate,
                               std::string_view timeFormat) {
  std::string text = DatePart(t, ShortDatePatternIndex(shortDate));
  text += ' ';
  text += TimePart(t, TimePatternIndex(timeFormat));
  if (text.size() > 23) text.resize(23);
  return text;
}

std::string CreatedStampText(const CalendarTime& t) {
  char text[256];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute);
  return text;
}

std::uint64_t UnixSecondsToFileTime(std::int64_t seconds) {
  constexpr std::int64_t kEpochOffset = 11644473600;
  constexpr std::int64_t kTicksPerSecond = 10000000;
  // The platform rejects file times with the top bit set, so the signed range is the limit.
  constexpr std::int64_t kMaxSeconds = INT64_MAX / kTicksPerSecond - kEpochOffset;
  if (seconds < 0 || seconds > kMaxSeconds) return 0;
  return static_cast<std::uint64_t>((seconds + kEpochOffset) * kTicksPerSecond);
}
