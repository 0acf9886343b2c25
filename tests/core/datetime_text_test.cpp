#include <gtest/gtest.h>

#include <string>

#include "datetime_text.h"

namespace {

CalendarTime At(int year, int month, int day, int hour, int minute) {
  const auto w = [](int value) { return static_cast<std::uint16_t>(value); };
  return {w(year), w(month), 0, w(day), w(hour), w(minute), 59, 0};
}

}  // namespace

TEST(DateText, EveryShortDatePatternKeepsTheFullYear) {
  EXPECT_EQ(0, ShortDatePatternIndex("m/d/YYYY"));
  EXPECT_EQ(-1, ShortDatePatternIndex("M/d/yyyy "));
  EXPECT_EQ(-1, TimePatternIndex("HH.mm.ss"));
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
    EXPECT_EQ(c.expected, FormatDateTimeText(At(2008, 12, 6, 14, 7), c.pattern, "HH:mm:ss"))
        << c.pattern;
  EXPECT_EQ("02-Jan-999 03:04 AM",
            FormatDateTimeText(At(999, 1, 2, 3, 4), "dd-MMM-yy", "hh:mm:ss tt"));
}

TEST(TimeText, TwelveHourFormsPutNoonInTheAfternoon) {
  const struct {
    int hour, minute;
    const char* pattern;
    const char* expected;
  } cases[] = {
      {12, 30, "h:mm:ss tt", "12:30 PM"}, {12, 30, "hh:mm:ss tt", "12:30 PM"},
      {13, 30, "hh:mm:ss tt", "01:30 PM"}, {11, 59, "h:mm:ss tt", "11:59 AM"},
      {0, 5, "h:mm:ss tt", "0:05 AM"},    {9, 5, "H:mm:ss", "9:05"},
      {9, 5, "HH:mm:ss", "09:05"},        {14, 7, "HH.mm.ss", "2:07 PM"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected,
              FormatDateTimeText(At(2008, 12, 6, c.hour, c.minute), "yyyy-MM-dd", c.pattern)
                  .substr(11))
        << c.hour << " " << c.pattern;
}

TEST(DateText, OutOfRangeMonthAndUnixEpoch) {
  EXPECT_EQ("06--2008 2:07 PM", FormatDateTimeText(At(2008, 13, 6, 14, 7), "dd-MMM-yy", ""));
  EXPECT_EQ("2008/12/06 14:07", CreatedStampText(At(2008, 12, 6, 14, 7)));
  EXPECT_EQ(116444736000000000ull, UnixSecondsToFileTime(0));
  EXPECT_EQ(0u, UnixSecondsToFileTime(-1));
}
