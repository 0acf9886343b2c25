#include "history_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(HistoryNames, FirstEntryWinsAndUnknownCodesHaveNames) {
  EXPECT_STREQ("SERVICE_Disabled", HistoryActionNameOf(12));
  EXPECT_STREQ("REMOVE_TaskScheduler", HistoryActionNameOf(23));
  EXPECT_STREQ("LOG_UNKNOWN", HistoryActionNameOf(-1));
  for (int code : {16, 0, 1201}) EXPECT_STREQ("TYPE_UNKNOWN", HistoryTypeNameOf(code)) << code;
  EXPECT_EQ(12, HistoryActionCodeOf("START_Restore"));
  EXPECT_EQ(31, HistoryActionCodeOf("START_REMOVE"));
  EXPECT_EQ(600, HistoryTypeCodeOf("INFO_TASK"));
  EXPECT_EQ(3000, HistoryTypeCodeOf("info_task"));
}

TEST(HistoryLine, AfternoonMidnightAndNoonLines) {
  const auto line = [](unsigned hour, unsigned minute) {
    return HistoryLineText(HistoryStampText(2026, 12, 6, hour, minute, "Never"),
                           HistoryActionNameOf(0), HistoryTypeNameOf(11), "Tool", "C:\\T\\tool.exe",
                           "");
  };
  const std::string tail = "\t*START_Remove\tCURRENT_RUN\tTool\tC:\\T\\tool.exe\t\r\n";
  EXPECT_EQ("12/06/2026  2:05 PM" + tail, line(14, 5));
  EXPECT_EQ("12/06/2026  12:00 AM" + tail, line(0, 0));
  EXPECT_EQ("12/06/2026  12:00 PM" + tail, line(12, 0));
  EXPECT_EQ("12/06/2026  11:59 PM" + tail, line(23, 59));
  EXPECT_EQ("01/02/0999  1:07 AM", HistoryStampText(999, 1, 2, 1, 7, "Never"));
  EXPECT_EQ("Never", HistoryStampText(0, 0, 0, 14, 5, "Never"));
  EXPECT_EQ("00/00/0001  12:00 AM", HistoryStampText(1, 0, 0, 0, 0, "Never"));
  // A field cannot split the line.
  EXPECT_EQ("s\ta\tt\tone two  three\tc\tx \r\n",
            HistoryLineText("s", "a", "t", "one\ttwo\r\nthree", "c", "x\n"));
}

TEST(HistoryRead, FieldsAndCodes) {
  const auto records = ParseHistoryText(
      "12/06/2026  2:05 PM\t*START_Remove\tCURRENT_RUN\tTool\tC:\\T\\tool.exe\t-min\r\n"
      "d\tTASK_Kill\tINFO_TASK\tt\tc\r\n"
      "d\tWHAT\tNOPE\tt\tc\te\tseventh\n"
      "no line end");
  ASSERT_EQ(3u, records.size());
  EXPECT_EQ("12/06/2026  2:05 PM|Tool|C:\\T\\tool.exe|-min",
            records[0].stamp + "|" + records[0].title + "|" + records[0].command + "|" +
                records[0].extra);
  EXPECT_EQ(0, records[0].actionCode);
  EXPECT_EQ(11, records[0].typeCode);
  EXPECT_EQ(5, records[1].actionCode);
  EXPECT_EQ(600, records[1].typeCode);
  EXPECT_EQ("", records[1].extra);
  EXPECT_EQ(31, records[2].actionCode);
  EXPECT_EQ(3000, records[2].typeCode);
  EXPECT_EQ("", records[2].extra) << "six TABs";
}
