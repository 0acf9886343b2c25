#include "delay_text.h"

#include <gtest/gtest.h>

TEST(DelayTextTest, EntriesRoundTripAndClamp) {
  EXPECT_EQ(DelayFromEntries(1, 2), 80);
  const DelayEntries eighty = DelayToEntries(80);
  EXPECT_EQ(eighty.minutes, 1);
  EXPECT_EQ(eighty.tenSeconds, 2);
  EXPECT_EQ(DelayToEntries(25).tenSeconds, 2);
  EXPECT_EQ(DelayToEntries(-5).minutes, 0);
  EXPECT_EQ(DelayToEntries(2147483647).minutes, kDelayMinutesMax);
  EXPECT_EQ(DelayToEntries(2147483647).tenSeconds, kDelayTenSecondEntries - 1);
  EXPECT_EQ(DelayFromEntries(99, 9), kDelayMinutesMax * 60 + 50);
  EXPECT_EQ(DelayFromEntries(-1, -1), 0);
}

TEST(DelayTextTest, StoredNumbers) {
  EXPECT_EQ(DelaySeconds("30"), 30);
  EXPECT_EQ(DelaySeconds("abc"), 0);
  EXPECT_EQ(DelaySeconds(""), 0);
  EXPECT_EQ(DelayState("2"), 2);
  EXPECT_EQ(DelayState("3"), 0);
  EXPECT_EQ(DelayState("-1"), 0);
  EXPECT_EQ(DelayState("max"), 0);
}

TEST(DelayTextTest, RestoreCommand) {
  EXPECT_EQ(DelayRestoreCommand("C:\\T\\TOOL.EXE", " -min", ""), "C:\\T\\TOOL.EXE -min");
  EXPECT_EQ(DelayRestoreCommand("C:\\T\\TOOL.EXE", "-min", ""), "C:\\T\\TOOL.EXE -min");
  EXPECT_EQ(DelayRestoreCommand("C:\\T\\TOOL.EXE", "", ""), "C:\\T\\TOOL.EXE");
  EXPECT_EQ(DelayRestoreCommand("C:\\X\\UPD.DLL", ",Start", "RunDLL32.exe"),
            "RunDLL32.exe C:\\X\\UPD.DLL,Start");
  EXPECT_TRUE(DelayPerMachine(1));
  EXPECT_FALSE(DelayPerMachine(11));
}
