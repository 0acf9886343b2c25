#include "foundation/datetime.h"

#include <cstring>
#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

class DateTimeTest : public RegistrySandbox {
 protected:
  static void Patterns(const char* shortDate, const char* timeFormat) {
    const char* key = "Control Panel\\International";
    SettingsWriteString(HKEY_CURRENT_USER, key, "sShortDate", shortDate);
    SettingsWriteString(HKEY_CURRENT_USER, key, "sTimeFormat", timeFormat);
  }
  static std::string Format(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME t = {year, month, 0, day, hour, minute, 59, 0};
    char out[kDateTimeTextSize + 8];
    std::memset(out, 'z', sizeof out);
    EXPECT_EQ(1, FormatDateTime(t, out));
    EXPECT_EQ('z', out[kDateTimeTextSize]);
    return out;
  }
};

TEST_F(DateTimeTest, FollowsTheUsersRegionalPatterns) {
  EXPECT_EQ("12/06/2008 2:07 PM", Format(2008, 12, 6, 14, 7));  // no patterns stored
  Patterns("dd-MMM-yy", "hh:mm:ss tt");
  EXPECT_EQ("06-Dec-2008 02:07 PM", Format(2008, 12, 6, 14, 7));
  Patterns("m/d/YYYY", "H:mm");
  EXPECT_EQ("01/02/2009 3:04 AM", Format(2009, 1, 2, 3, 4));
}

TEST_F(DateTimeTest, UnixSecondsGoThroughLocalTime) {
  SYSTEMTIME t = {};
  ASSERT_EQ(1, UnixSecondsToCalendar(1228572420, &t));  // 2008-12-06 14:07 UTC
  FILETIME local, utc;
  SystemTimeToFileTime(&t, &local);
  LocalFileTimeToFileTime(&local, &utc);
  EXPECT_EQ((1228572420ULL + 11644473600ULL) * 10000000ULL,
            (ULONGLONG{utc.dwHighDateTime} << 32) | utc.dwLowDateTime);
  Patterns("yyyy-MM-dd", "HH:mm:ss");
  char text[kDateTimeTextSize] = "";
  EXPECT_EQ(1, FileTimeText(utc, text));
  EXPECT_EQ(Format(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute), text);
}

}  // namespace
