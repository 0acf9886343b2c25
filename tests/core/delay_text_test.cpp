#include "delay_text.h"

#include <gtest/gtest.h>

#include <climits>

TEST(DelayText, EntriesRoundTripAndClampToTheLists) {
  EXPECT_EQ(80, DelayFromEntries(1, 2));
  EXPECT_EQ(1, DelayToEntries(80).minutes);
  EXPECT_EQ(2, DelayToEntries(80).tenSeconds);
  EXPECT_EQ(2, DelayToEntries(25).tenSeconds);
  EXPECT_EQ(0, DelayToEntries(-5).minutes);
  EXPECT_EQ(kDelayMinutesMax, DelayToEntries(INT_MAX).minutes);
  EXPECT_EQ(kDelayTenSecondEntries - 1, DelayToEntries(INT_MAX).tenSeconds);
  EXPECT_EQ(kDelayMinutesMax * 60 + 50, DelayFromEntries(99, 9));
  EXPECT_EQ(0, DelayFromEntries(-1, -1));
}

TEST(DelayText, StoredNumbersAndRestoreCommand) {
  EXPECT_EQ(30, DelaySeconds("30"));
  EXPECT_EQ(0, DelaySeconds("abc"));
  EXPECT_EQ(2, DelayState("2"));
  for (const char* outside : {"3", "-1", "max", ""}) EXPECT_EQ(0, DelayState(outside)) << outside;
  for (const char* parameters : {" -min", "-min"})
    EXPECT_EQ("C:\\T\\TOOL.EXE -min", DelayRestoreCommand("C:\\T\\TOOL.EXE", parameters, ""));
  EXPECT_EQ("C:\\T\\TOOL.EXE", DelayRestoreCommand("C:\\T\\TOOL.EXE", "", ""));
  EXPECT_EQ("RunDLL32.exe C:\\X\\UPD.DLL,Start",
            DelayRestoreCommand("C:\\X\\UPD.DLL", ",Start", "RunDLL32.exe"));
}
