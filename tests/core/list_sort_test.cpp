#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datetime_text.h"
#include "list_sort.h"

namespace {

constexpr int kStartupPage = 6026;

CalendarTime At(int year, int month, int day, int hour, int minute) {
  const auto w = [](int value) { return static_cast<std::uint16_t>(value); };
  return {w(year), w(month), 0, w(day), w(hour), w(minute), 0, 0};
}

std::vector<int> Sorted(const std::vector<SortKey>& keys, bool descending) {
  std::vector<int> order;
  for (int i = static_cast<int>(keys.size()) - 1; i >= 0; --i) order.push_back(i);
  SortRowOrder(order, keys, descending);
  return order;
}

constexpr const char* kDatePatterns[] = {"M/d/yyyy", "M/d/yy",     "MM/dd/yy", "MM/dd/yyyy",
                                         "yy/MM/dd", "yyyy-MM-dd", "dd-MMM-yy", "d.M.yyyy"};
constexpr const char* kTimePatterns[] = {"h:mm:ss tt", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss", ""};

}  // namespace

TEST(ColumnWidths, FractionsOfTheListLessTheScrollBarWhereThePageSaysSo) {
  EXPECT_EQ(300, ColumnWidthPixels(kStartupPage, 0, 1020, 20));  // 0.30 of 1000
  EXPECT_EQ(200, ColumnWidthPixels(kStartupPage, 4, 1020, 20));
  EXPECT_EQ(0, ColumnWidthPixels(kStartupPage, 5, 1020, 20));
  EXPECT_EQ(0, ColumnWidthPixels(kStartupPage, -1, 1020, 20));
  EXPECT_EQ(306, ColumnWidthPixels(6056, 0, 1020, 20));  // ActiveX keeps the scroll bar's room
  EXPECT_EQ(0, ColumnWidthPixels(6999, 0, 1020, 20));
  EXPECT_EQ(0, ColumnWidthPixels(kStartupPage, 0, 10, 20));
  EXPECT_EQ(102, ColumnWidthPixels(6042, 5, 1040, 20));  // Extension sits at index 5
  EXPECT_GT(ColumnWidthPixels(6042, 6, 1040, 20), 0);    // and Type at 6
  const int pages[] = {6026, 6055, 6056, 6040, 6039, 6038, 6029, 6042, 6052, 6028, 6044, 6041};
  for (int page : pages) {
    const ColumnWidthRow* row = ColumnWidthsFor(page);
    ASSERT_NE(nullptr, row) << page;
    for (int i = 0; i < row->count; ++i) EXPECT_GT(row->fraction[i], 0.0) << page << " " << i;
  }
  EXPECT_EQ(6, SortableColumns(6038));
  EXPECT_EQ(6, SortableColumns(6056));
  EXPECT_EQ(5, SortableColumns(kStartupPage));
}

TEST(SortState, StoredValuesOutsideThePageAreIgnoredAndClicksAlternate) {
  EXPECT_EQ(-1, StoredSortColumn(0, 5));
  EXPECT_EQ(-1, StoredSortColumn(-3, 5));
  EXPECT_EQ(-1, StoredSortColumn(6, 5));
  EXPECT_EQ(-1, StoredSortColumn(7, 9));  // beyond the six direction flags
  EXPECT_EQ(4, StoredSortColumn(5, 5));

  ListSortState state;
  SortStateRestore(state, 2, 5);
  EXPECT_EQ(1, state.column);
  EXPECT_FALSE(state.descending);  // comes up ascending after a start
  ASSERT_TRUE(SortStateClick(state, 1, 5));
  EXPECT_TRUE(state.descending);  // the first click turns the shown order round
  ASSERT_TRUE(SortStateClick(state, 1, 5));
  EXPECT_FALSE(state.descending);
  ASSERT_TRUE(SortStateClick(state, 0, 5));
  EXPECT_FALSE(state.descending);
  EXPECT_EQ(0, state.column);
  EXPECT_FALSE(SortStateClick(state, 5, 5));
  EXPECT_FALSE(SortStateClick(state, -1, 5));
  EXPECT_EQ(0, state.column);

  SortStateRestore(state, 99, 5);
  EXPECT_EQ(-1, state.column);
}

TEST(SortKeys, WholeKeysIgnoringCaseWithDisabledEntriesLastBothWays) {
  EXPECT_EQ(0, CompareSortKeys({"Tool"}, {"tOOL"}, false));
  EXPECT_LT(CompareSortKeys({"Tool"}, {"Tool Helper"}, false), 0);  // a prefix is not equal
  EXPECT_GT(CompareSortKeys({"Tool"}, {"Tool Helper"}, true), 0);
  EXPECT_LT(CompareSortKeys({""}, {"a"}, false), 0);
  EXPECT_EQ(0, CompareSortKeys({""}, {""}, true));
  EXPECT_LT(CompareSortKeys({"10"}, {"9"}, false), 0);  // location codes sort as text
  EXPECT_GT(CompareSortKeys({"\xE9"}, {"z"}, false), 0);  // bytes above 127 are not negative
  EXPECT_GT(CompareSortKeys({"a", true}, {"z"}, false), 0);
  EXPECT_GT(CompareSortKeys({"a", true}, {"z"}, true), 0);
  EXPECT_LT(CompareSortKeys({"z"}, {"a", true}, true), 0);

  const std::vector<SortKey> keys = {{"beta"},       {"Alpha", true}, {"alpha"}, {"Beta"},
                                     {"alpha tool"}, {""},            {"gamma", true}};
  EXPECT_EQ((std::vector<int>{5, 2, 4, 0, 3, 1, 6}), Sorted(keys, false));
  EXPECT_EQ((std::vector<int>{0, 3, 4, 2, 5, 6, 1}), Sorted(keys, true));
}

TEST(SortKeys, EqualKeysKeepEntryOrderWhateverTheRowsWere) {
  std::vector<SortKey> keys(200, SortKey{"same"});
  keys[150].text = "Same";
  std::vector<int> order;
  for (int i = 0; i < 200; ++i) order.push_back((i * 37) % 200);
  SortRowOrder(order, keys, true);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(i, order[i]);
  std::vector<int> stray = {3, 999, -1, 0};  // entries without a key sort as empty
  SortRowOrder(stray, keys, false);
  EXPECT_EQ((std::vector<int>{-1, 999, 0, 3}), stray);
}

TEST(FirstDetectedKey, EveryKnownPatternReadsBackToTheSameTime) {
  const CalendarTime times[] = {At(2008, 12, 6, 14, 7), At(2008, 1, 2, 0, 5),
                                At(1999, 11, 30, 12, 30), At(2024, 2, 29, 23, 59),
                                At(2031, 7, 4, 1, 0)};
  for (const char* date : kDatePatterns)
    for (const char* time : kTimePatterns)
      for (const CalendarTime& t : times) {
        const std::string text = FormatDateTimeText(t, date, time);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%04d%02d%02d%02d%02d", t.year, t.month, t.day,
                      t.hour, t.minute);
        // The pattern in force when reading may differ from the one that wrote the text.
        for (const char* now : kDatePatterns)
          EXPECT_EQ(expected, FirstDetectedSortKey(text, ShortDatePatternIndex(now)))
              << text << " written under " << date << " / " << time << ", read under " << now;
      }
}

TEST(FirstDetectedKey, DatesSortByTimeAcrossPatternsAndNonsenseComesFirst) {
  const std::string older = FirstDetectedSortKey("12/06/2008 1:30 PM", 0);
  const std::string newer = FirstDetectedSortKey("2009-01-02 09:00", 5);
  const std::string newest = FirstDetectedSortKey("03-Feb-2010 0:05 AM", 6);
  EXPECT_LT(older, newer);
  EXPECT_LT(newer, newest);
  EXPECT_EQ("200812061330", older);
  EXPECT_EQ("201002030005", newest);
  EXPECT_EQ("200812061230", FirstDetectedSortKey("12/06/2008 12:30 AM", 0));  // noon, old rule
  // Two-digit years: the current pattern decides which field is the year.
  EXPECT_EQ("200812060000", FirstDetectedSortKey("12/06/08 0:00", 0));
  EXPECT_EQ("201206080000", FirstDetectedSortKey("12/06/08 0:00", 4));
  for (const char* bad : {"", " ", "never", "12/06/2008", "12/06/2008 ", "13/06/2008 1:00",
                          "12/32/2008 1:00", "12/06/2008 24:00", "12/06/2008 1:60",
                          "12/06/2008 13:00 PM", "12/06/2008 1:00 XM", "12-06/2008 1:00",
                          "12/06/2008/1 1:00", "06-Foo-2008 1:00", "1/2/12345 1:00",
                          "12/06/2008 :30", "12/06/2008 123:30", "12/06/2008 1:3"})
    EXPECT_EQ("", FirstDetectedSortKey(bad, 0)) << bad;
  EXPECT_LT(CompareSortKeys({FirstDetectedSortKey("junk", 0)}, {older}, false), 0);
}
