#include <gtest/gtest.h>

#include <string>

#include "datetime_text.h"

namespace {

CalendarTime At(int year, int month, int day, int hour, int minute) {
  CalendarTime t{};
  t.year = static_cast<std::uint16_t>(year);
  t.month = static_cast<std::uint16_t>(month);
  t.day = static_cast<std::uint16_t>(day);
  t.hour = static_cast<std::uint16_t>(hour);
  t.minute = static_cast<std::uint16_t>(minute);
  t.second = 59;
  return t;
}

const CalendarTime kSaintNicholas = At(2008, 12, 6, 14, 7);

std::string Time(int hour, int minute, std::string_view pattern) {
  const std::string text = FormatDateTimeText(At(2008, 12, 6, hour, minute), "yyyy-MM-dd", pattern);
  return text.substr(11);
}

}  // namespace

TEST(DatePatterns, MatchWholePatternsIgnoringCase) {
  EXPECT_EQ(0, ShortDatePatternIndex("m/d/YYYY"));
  EXPECT_EQ(5, ShortDatePatternIndex("YYYY-mm-DD"));
  EXPECT_EQ(6, ShortDatePatternIndex("dd-MMM-yy"));
  EXPECT_EQ(-1, ShortDatePatternIndex("M/d/yyyy "));
  EXPECT_EQ(-1, ShortDatePatternIndex("M/d/y"));
  EXPECT_EQ(-1, ShortDatePatternIndex(""));
  EXPECT_EQ(1, TimePatternIndex("HH:MM:SS TT"));
  EXPECT_EQ(-1, TimePatternIndex("HH.mm.ss"));
}

TEST(DateText, EveryShortDatePatternKeepsTheFullYear) {
  const struct {
    const char* pattern;
    const char* expected;
  } cases[] = {
      {"M/d/yyyy", "12/06/2008 14:07"},  {"M/d/yy", "12/06/2008 14:07"},
      {"MM/dd/yy", "12/06/2008 14:07"},  {"MM/dd/yyyy", "12/06/2008 14:07"},
      {"yy/MM/dd", "2008/12/06 14:07"},  {"yyyy-MM-dd", "2008-12-06 14:07"},
      {"dd-MMM-yy", "06-Dec-2008 14:07"}, {"d.M.yyyy", "12/06/2008 14:07"},
      {"", "12/06/2008 14:07"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, FormatDateTimeText(kSaintNicholas, c.pattern, "HH:mm:ss")) << c.pattern;
}

TEST(DateText, SmallValuesArePadded) {
  EXPECT_EQ("01/02/0999 3:04 AM", FormatDateTimeText(At(999, 1, 2, 3, 4), "", ""));
  EXPECT_EQ("02-Jan-999 03:04 AM", FormatDateTimeText(At(999, 1, 2, 3, 4), "dd-MMM-yy", "hh:mm:ss tt"));
}

TEST(TimeText, TwelveHourFormsPutNoonInTheAfternoon) {
  EXPECT_EQ("12:30 PM", Time(12, 30, "h:mm:ss tt"));
  EXPECT_EQ("12:30 PM", Time(12, 30, "hh:mm:ss tt"));
  EXPECT_EQ("1:30 PM", Time(13, 30, "h:mm:ss tt"));
  EXPECT_EQ("01:30 PM", Time(13, 30, "hh:mm:ss tt"));
  EXPECT_EQ("11:59 PM", Time(23, 59, "h:mm:ss tt"));
  EXPECT_EQ("11:59 AM", Time(11, 59, "h:mm:ss tt"));
  EXPECT_EQ("0:05 AM", Time(0, 5, "h:mm:ss tt"));
  EXPECT_EQ("00:05 AM", Time(0, 5, "hh:mm:ss tt"));
}

TEST(TimeText, TwentyFourHourFormsAndFallBack) {
  EXPECT_EQ("9:05", Time(9, 5, "H:mm:ss"));
  EXPECT_EQ("09:05", Time(9, 5, "HH:mm:ss"));
  EXPECT_EQ("2:07 PM", Time(14, 7, "HH.mm.ss"));
  EXPECT_EQ("2:07 PM", Time(14, 7, ""));
}

TEST(DateText, OutOfRangeFieldsStayBounded) {
  const CalendarTime wild = At(65535, 65535, 65535, 65535, 65535);
  for (const char* date : {"", "M/d/yy", "yy/MM/dd", "yyyy-MM-dd", "dd-MMM-yy"})
    for (const char* time : {"", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss"}) {
      const std::string text = FormatDateTimeText(wild, date, time);
      EXPECT_LE(text.size(), 23u);
      EXPECT_LE(text.find(' '), 11u);
    }
  EXPECT_EQ("06--2008 2:07 PM", FormatDateTimeText(At(2008, 13, 6, 14, 7), "dd-MMM-yy", ""));
  EXPECT_EQ("06--2008 2:07 PM", FormatDateTimeText(At(2008, 0, 6, 14, 7), "dd-MMM-yy", ""));
}

TEST(CreatedStamp, SortableFormWithoutSeconds) {
  EXPECT_EQ("2008/12/06 14:07", CreatedStampText(kSaintNicholas));
  EXPECT_EQ("0001/01/01 00:00", CreatedStampText(At(1, 1, 1, 0, 0)));
}

TEST(UnixTime, ConvertsToFileTimeWithinTheSignedRange) {
  EXPECT_EQ(116444736000000000ull, UnixSecondsToFileTime(0));
  EXPECT_EQ(116444736000000000ull + 10000000ull * 1228572420ull, UnixSecondsToFileTime(1228572420));
  EXPECT_EQ(0u, UnixSecondsToFileTime(-1));
  EXPECT_EQ(0u, UnixSecondsToFileTime(INT64_MIN));
  EXPECT_EQ(0u, UnixSecondsToFileTime(INT64_MAX));
  const std::int64_t last = INT64_MAX / 10000000 - 11644473600;
  EXPECT_NE(0u, UnixSecondsToFileTime(last));
  EXPECT_LE(UnixSecondsToFileTime(last), static_cast<std::uint64_t>(INT64_MAX));
  EXPECT_EQ(0u, UnixSecondsToFileTime(last + 1));
}
