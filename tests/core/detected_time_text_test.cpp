#include "detected_time_text.h"

#include <gtest/gtest.h>

#include "datetime_text.h"

namespace {

constexpr const char* kShortDates[] = {"M/d/yyyy", "M/d/yy",     "MM/dd/yy",  "MM/dd/yyyy",
                                       "yy/MM/dd", "yyyy-MM-dd", "dd-MMM-yy", "d.M.yyyy"};
constexpr const char* kTimeFormats[] = {"h:mm:ss tt", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss", "?"};

CalendarTime At(int year, int month, int day, int hour, int minute) {
  return CalendarTime{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), 0,
                      static_cast<std::uint16_t>(day), static_cast<std::uint16_t>(hour),
                      static_cast<std::uint16_t>(minute), 0, 0};
}

}  // namespace

TEST(DetectedTimeIso, ReadsBackWhatEveryRegionalPatternWrites) {
  const CalendarTime times[] = {At(2008, 12, 6, 14, 7), At(2008, 12, 6, 0, 5),
                                At(2008, 12, 6, 12, 30), At(2024, 2, 29, 23, 59),
                                At(1999, 1, 31, 9, 0)};
  const char* expected[] = {"2008-12-06T14:07:00", "2008-12-06T00:05:00", "2008-12-06T12:30:00",
                            "2024-02-29T23:59:00", "1999-01-31T09:00:00"};
  for (const char* date : kShortDates)
    for (const char* time : kTimeFormats)
      for (std::size_t i = 0; i < std::size(times); ++i) {
        const std::string stored = FormatDateTimeText(times[i], date, time);
        EXPECT_EQ(expected[i], DetectedTimeIso(stored)) << stored << " " << date << " " << time;
      }
}

TEST(DetectedTimeIso, TheOlderNoonAndTheTwelveHourClock) {
  EXPECT_EQ("2008-12-06T12:05:00", DetectedTimeIso("12/06/2008 12:05 AM"));
  EXPECT_EQ("2008-12-06T12:05:00", DetectedTimeIso("12/06/2008 12:05 PM"));
  EXPECT_EQ("2008-12-06T13:05:00", DetectedTimeIso("12/06/2008 1:05 PM"));
  EXPECT_EQ("2008-12-06T00:05:00", DetectedTimeIso("12/06/2008 0:05 AM"));
}

TEST(DetectedTimeIso, AnythingElseReadsAsNothing) {
  for (const char* bad :
       {"", "never", "12/06/2008", "12/06/2008 ", "13/06/2008 1:05 PM", "02/30/2008 1:05 PM",
        "02/29/2007 1:05 PM", "12/06/08 1:05 PM", "12/06/2008 24:00", "12/06/2008 13:05 PM",
        "12/06/2008 0:05 PM", "12/06/2008 1:60", "12/06/2008 1:5", "06-Foo-2008 1:05",
        "2008/12/06 1:05 XM", "1x/06/2008 1:05", "12/06/2008 1:05 PM extra",
        "12/06/2008 -1:05", "0999-12-06 1:05"})
    EXPECT_EQ("", DetectedTimeIso(bad)) << bad;
}
