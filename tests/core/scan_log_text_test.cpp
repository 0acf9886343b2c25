#include "scan_log_text.h"

#include <gtest/gtest.h>

TEST(ScanLogTextTest, RunTagsByLocationCode) {
  EXPECT_EQ(ScanLogRunLine(1, "Tool", "C:\\T\\tool.exe"), "O4 - HKLM\\..\\Run: [Tool]C:\\T\\tool.exe");
  EXPECT_EQ(ScanLogRunTag(2), "O4 - HKLM\\..\\RunOnce: ");
  EXPECT_EQ(ScanLogRunTag(6), "O4 - HKLM\\..\\RunOnceSetup: ");
  EXPECT_EQ(ScanLogRunTag(7), "O4 - HKLM\\..\\Policies\\Explorer\\Run: ");
  EXPECT_EQ(ScanLogRunTag(11), "O4 - HKCU\\..\\Run: ");
  EXPECT_EQ(ScanLogRunTag(15), "O4 - HKCU\\..\\RunServicesOnce: ");
  EXPECT_EQ(ScanLogRunTag(21), "O4 - HKLM\\..\\Run: ");
  for (int other : {0, 8, 10, 18, 20, 28, 100, 250})
    EXPECT_EQ(ScanLogRunTag(other), "O4 - Other Run: ") << other;
}

TEST(ScanLogTextTest, FindingsCannotForgeLines) {
  EXPECT_EQ(ScanLogRunLine(11, "Evil\r\nO4 - HKLM\\..\\Run: [x]", "a\tb\x07"),
            "O4 - HKCU\\..\\Run: [Evil  O4 - HKLM\\..\\Run: [x]]a b");
  EXPECT_EQ(ScanLogStartupLine(true, "a.lnk", "C:\\a.exe"), "O4 - Startup: a.lnk=C:\\a.exe");
  EXPECT_EQ(ScanLogStartupLine(false, "b.lnk", "C:\\b.exe"), "O4 - Global Startup: b.lnk=C:\\b.exe");
}

TEST(ScanLogTextTest, SpreadsheetNamesTheRunKeys) {
  EXPECT_EQ(SpreadsheetRunTypeOf(1, false).type, "HKLM");
  EXPECT_EQ(SpreadsheetRunTypeOf(1, false).subType, "Run");
  EXPECT_EQ(SpreadsheetRunTypeOf(15, false).type, "HKCU");
  EXPECT_EQ(SpreadsheetRunTypeOf(15, false).subType, "RunServiceOnce");
  EXPECT_EQ(SpreadsheetRunTypeOf(26, true).type, "HKLM");
  EXPECT_EQ(SpreadsheetRunTypeOf(26, true).subType, "RunOnceSetup");
  EXPECT_EQ(SpreadsheetRunTypeOf(250, true).type, "HKCU");
  EXPECT_EQ(SpreadsheetRunTypeOf(250, false).subType, "UnknownKey");
}
