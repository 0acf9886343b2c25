#include "page_table.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::vector<int> Commands(const std::vector<PageRow>& rows) {
  std::vector<int> commands;
  for (const PageRow& row : rows) commands.push_back(row.pageCommand);
  return commands;
}

}  // namespace

TEST(PageTable, TabOrderOnTheNtFamily) {
  const std::vector<PageRow> rows = PagesPresent(true);
  EXPECT_EQ((std::vector<int>{6026, 6055, 6056, 6040, 6039, 6038, 6029, 6028, 6042, 6052, 6027,
                              6033}),
            Commands(rows));
  EXPECT_EQ(5u, PageStartIndex(rows, 6038));
  EXPECT_EQ(10u, PageStartIndex(rows, 6027));
  EXPECT_EQ(11u, PageStartIndex(rows, 6033));
}

TEST(PageTable, WithoutServicesThePagesBehindMoveUp) {
  const std::vector<PageRow> rows = PagesPresent(false);
  ASSERT_EQ(11u, rows.size());
  EXPECT_EQ(6039, rows[4].pageCommand);
  EXPECT_EQ(6029, rows[5].pageCommand);
  EXPECT_EQ(9u, PageStartIndex(rows, 6027));
  // The Services command finds no tab and opens the first one.
  EXPECT_EQ(0u, PageStartIndex(rows, 6038));
}

TEST(PageTable, EachRowItsOwnCommandDialogIconAndTitle) {
  std::set<int> commands, dialogs, icons, titles;
  for (const PageRow& row : kPageTable) {
    commands.insert(row.pageCommand);
    dialogs.insert(row.dialogId);
    icons.insert(row.tabIconId);
    titles.insert(row.titleStringId);
    EXPECT_TRUE(IsPageCommand(row.pageCommand));
    EXPECT_EQ(row.pageCommand == 6038, row.ntOnly);
  }
  EXPECT_EQ(kPageCount, commands.size());
  EXPECT_EQ(kPageCount, dialogs.size());
  EXPECT_EQ(kPageCount, icons.size());
  EXPECT_EQ(kPageCount, titles.size());
  EXPECT_EQ(102, kPageTable[0].dialogId);
  EXPECT_EQ(174, kPageTable[0].tabIconId);
  EXPECT_EQ(606, kPageTable[0].titleStringId);
  EXPECT_EQ(103, kPageTable[10].dialogId);
  EXPECT_EQ(167, kPageTable[10].tabIconId);
}

TEST(PageTable, ActionCommandsAndUnknownCommandsOpenTheFirstTab) {
  for (int command : {0, 1, 6025, 6030, 6031, 6034, 6045, 6046, 6047, 6048, 6049, 6050, 6057}) {
    EXPECT_FALSE(IsPageCommand(command)) << command;
    EXPECT_EQ(0u, PageStartIndex(PagesPresent(true), command)) << command;
  }
  EXPECT_EQ(0u, PageStartIndex({}, 6027));
}
