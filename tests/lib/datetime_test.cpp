#include "foundation/datetime.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

class DateTimeTest : public RegistrySandbox {
 protected:
  static void Patterns(const char* shortDate, const char* timeFormat) {
    SettingsWriteString(HKEY_CURRENT_USER, "Control Panel\\International", "sShortDate",
                        shortDate);
    SettingsWriteString(HKEY_CURRENT_USER, "Control Panel\\International", "sTimeFormat",
                        timeFormat);
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
  Patterns("yyyy-MM-dd", "HH:mm:ss");
  EXPECT_EQ("2008-12-06 14:07", Format(2008, 12, 6, 14, 7));
  Patterns("dd-MMM-yy", "hh:mm:ss tt");
  EXPECT_EQ("06-Dec-2008 02:07 PM", Format(2008, 12, 6, 14, 7));
  Patterns("m/d/YYYY", "h:mm:ss tt");
  EXPECT_EQ("01/02/2009 0:05 AM", Format(2009, 1, 2, 0, 5));
  Patterns("d.M.yyyy", "H:mm");
  EXPECT_EQ("01/02/2009 3:04 AM", Format(2009, 1, 2, 3, 4));
}

TEST_F(DateTimeTest, FileCreatedText) {
  char text[256] = "old";
  EXPECT_EQ(1, FileCreatedText((ScratchFolder() + "\\missing").c_str(), text, sizeof text));
  EXPECT_STREQ("", text);
  SYSTEMTIME now;
  GetLocalTime(&now);
  ASSERT_EQ(1, FileCreatedText(WriteScratchFile("made", "x").c_str(), text, sizeof text));
  ASSERT_EQ(16u, std::strlen(text)) << text;
  EXPECT_EQ(now.wYear, std::atoi(text));
  EXPECT_EQ("// :", (std::string{text[4], text[7], text[10], text[13]}));
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
