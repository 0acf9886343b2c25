#include <gtest/gtest.h>

#include "os_version_text.h"
#include "report_time_text.h"

TEST(ReportClockTextTest, TwelveHourClockAroundNoonAndMidnight) {
  EXPECT_EQ(ReportClockText(0, 5, 0), "12:05:00 AM");
  EXPECT_EQ(ReportClockText(1, 5, 9), " 1:05:09 AM");
  EXPECT_EQ(ReportClockText(11, 59, 59), "11:59:59 AM");
  EXPECT_EQ(ReportClockText(12, 30, 0), "12:30:00 PM");
  EXPECT_EQ(ReportClockText(13, 5, 0), " 1:05:00 PM");
  EXPECT_EQ(ReportClockText(23, 0, 1), "11:00:01 PM");
}

TEST(ReportClockTextTest, DateIsMonthDayYearWithPadding) {
  EXPECT_EQ(ReportDateText(3, 7, 2008), " 3/07/2008");
  EXPECT_EQ(ReportDateText(12, 31, 1999), "12/31/1999");
}

namespace {
OsVersionFacts Nt(unsigned major, unsigned minor, unsigned build) {
  OsVersionFacts facts;
  facts.major = major;
  facts.minor = minor;
  facts.build = build;
  facts.extended = true;
  return facts;
}
}  // namespace

TEST(OsVersionTextTest, OldReleasesKeepTheirNamesAndEditions) {
  OsVersionFacts xp = Nt(5, 1, 2600);
  xp.servicePackMajor = 2;
  xp.servicePackText = "Service Pack 2";
  xp.suiteMask = 0x0200;
  EXPECT_EQ(OsVersionTextOf(xp), "Windows XP SP2 Home Edition Service Pack 2 (Build 2600)");

  OsVersionFacts server = Nt(5, 2, 3790);
  server.productType = 3;
  server.suiteMask = 0x0002;
  EXPECT_EQ(OsVersionTextOf(server),
            "Windows Server 2003 family, Enterprise Edition (Build 3790)");

  OsVersionFacts nt4 = Nt(4, 0, 1381);
  nt4.servicePackText = "Service Pack 6";
  nt4.hotfixQ246009 = true;
  EXPECT_EQ(OsVersionTextOf(nt4), "Windows NT Workstation 4.0 Service Pack 6a (Build 1381)");

  OsVersionFacts plain = Nt(5, 0, 2195);
  plain.extended = false;
  plain.registryProductType = "LANMANNT";
  EXPECT_EQ(OsVersionTextOf(plain), "Windows 2000 Server 5.0 (Build 2195)");
}

TEST(OsVersionTextTest, NinetyFiveFamilyByVersionLetter) {
  OsVersionFacts facts;
  facts.platformId = 1;
  facts.major = 4;
  facts.minor = 0;
  facts.servicePackText = " C";
  EXPECT_EQ(OsVersionTextOf(facts), "Microsoft Windows 95 OSR2 ");
  facts.minor = 10;
  facts.servicePackText = " A";
  EXPECT_EQ(OsVersionTextOf(facts), "Microsoft Windows 98 SE ");
  facts.minor = 90;
  EXPECT_EQ(OsVersionTextOf(facts), "Microsoft Windows Millennium Edition");
  facts.platformId = 0;
  EXPECT_EQ(OsVersionTextOf(facts), "Microsoft Win32s");
}

TEST(OsVersionTextTest, ModernReleasesByVersionAndBuild) {
  EXPECT_EQ(OsVersionTextOf(Nt(6, 1, 7601)), "Windows 7 (Build 7601)");
  EXPECT_EQ(OsVersionTextOf(Nt(6, 3, 9600)), "Windows 8.1 (Build 9600)");
  EXPECT_EQ(OsVersionTextOf(Nt(10, 0, 19045)), "Windows 10 (Build 19045)");
  EXPECT_EQ(OsVersionTextOf(Nt(10, 0, 22631)), "Windows 11 (Build 22631)");
  OsVersionFacts server = Nt(10, 0, 20348);
  server.productType = 3;
  EXPECT_EQ(OsVersionTextOf(server), "Windows Server 2022 Standard Edition (Build 20348)");
}
