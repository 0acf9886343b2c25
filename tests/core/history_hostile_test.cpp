// The history dialog reads whatever history.txt holds: files cut short, huge lines, NULs
// and names no table knows must give whole, bounded records and never a reversible one by
// mistake.
#include <gtest/gtest.h>

#include <string>

#include "history_text.h"

namespace {

std::string Line(std::string_view action, std::string_view title, std::string_view command) {
  return "12/06/2026  2:05 PM\t" + std::string(action) + "\tCURRENT_RUN\t" + std::string(title) +
         "\t" + std::string(command) + "\t\r\n";
}

}  // namespace

TEST(HistoryHostile, LastLineWithoutLineFeedIsNotARecord) {
  const std::string text = Line("*START_Remove", "A", "a.exe") + "12/06/2026\t*START_Rem";
  const auto records = ParseHistoryText(text);
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("A", records[0].title);
  EXPECT_TRUE(ParseHistoryText("no line feed at all").empty());
  EXPECT_TRUE(ParseHistoryText("").empty());
  EXPECT_EQ(2u, ParseHistoryText("\n\r\n").size()) << "empty lines are empty records";
}

TEST(HistoryHostile, MegabyteLineKeepsItsNeighbours) {
  const std::string huge(1u << 20, 'x');
  const std::string text = Line("TASK_Kill", "before", "b.exe") +
                           Line("*START_Remove", huge, huge) + "\t\t\t" + huge + "\n" +
                           Line("*HIDDEN_DeleteFile", "after", "c:\\h.dll");
  const auto records = ParseHistoryText(text);
  ASSERT_EQ(4u, records.size());
  EXPECT_EQ("before", records[0].title);
  EXPECT_EQ("", records[1].title) << "a field past its width is left empty";
  EXPECT_EQ("", records[1].command);
  EXPECT_EQ(0, records[1].actionCode);
  EXPECT_EQ("", records[2].title);
  EXPECT_EQ("after", records[3].title);
  EXPECT_EQ(29, records[3].actionCode);
}

TEST(HistoryHostile, NulsStayInsideTheirField) {
  std::string text = Line("*START_Remove", std::string("ti\0tle", 6), std::string("c\0md", 4));
  text += std::string("\0\0\0\n", 4);
  const auto records = ParseHistoryText(text);
  ASSERT_EQ(2u, records.size());
  EXPECT_EQ(std::string("ti\0tle", 6), records[0].title);
  EXPECT_EQ(0, records[0].actionCode);
  EXPECT_EQ(std::string("\0\0\0", 3), records[1].stamp);
  EXPECT_EQ(kHistoryActionUnknown, records[1].actionCode);
  EXPECT_FALSE(HistoryActionReversible(records[1].actionCode));
}

TEST(HistoryHostile, UnknownOrAlteredNamesAreNeverReversible) {
  const auto records = ParseHistoryText(Line("START_Remove", "t", "c") + Line("*start_remove", "t", "c") +
                                        Line("*HIDDEN_DeleteFile ", "t", "c") +
                                        Line("*START_Remove\x01", "t", "c"));
  ASSERT_EQ(4u, records.size());
  for (const HistoryRecord& record : records) {
    EXPECT_EQ(kHistoryActionUnknown, record.actionCode);
    EXPECT_FALSE(HistoryActionReversible(record.actionCode));
  }
}

TEST(HistoryHostile, OnlyTheStarredActionsAreReversible) {
  for (std::size_t i = 0; i < kHistoryActionNameCount; ++i) {
    const HistoryName& row = kHistoryActionNames[i];
    // A code's first name is the one that decides, as the writer prints it.
    EXPECT_EQ(HistoryActionNameOf(row.code)[0] == '*', HistoryActionReversible(row.code)) << row.name;
  }
  EXPECT_TRUE(HistoryActionReversible(0));
  EXPECT_TRUE(HistoryActionReversible(29));
  EXPECT_FALSE(HistoryActionReversible(-1));
  EXPECT_FALSE(HistoryActionReversible(12));
  EXPECT_FALSE(HistoryActionReversible(100000));
}
