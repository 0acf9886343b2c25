// The list pages' column widths and row order: width fractions per page, the stored sort
// column, the comparison of row keys and the sortable key of a first-detected time.
// Platform-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Direction flags are kept for the first six columns; no page sorts on more.
inline constexpr int kSortColumnMax = 6;
inline constexpr int kWidthColumnMax = 7;

struct ColumnWidthRow {
  int pageCommand;
  bool lessScrollBar;  // the vertical scroll bar's width comes off the list's width first
  int count;
  double fraction[kWidthColumnMax];
};

// The page's row, or null for a command that has no list.
const ColumnWidthRow* ColumnWidthsFor(int pageCommand);
// Width in pixels of the column inserted at that index; 0 outside the table.
int ColumnWidthPixels(int pageCommand, int column, int listWidth, int scrollBarWidth);
// How many leading columns a click sorts; clicks beyond are ignored.
int SortableColumns(int pageCommand);

// A stored Sort* value as a column index, or -1 when it is 0 or names no column of the page.
int StoredSortColumn(int stored, int columnCount);

// Which column the rows are sorted by and in which direction; one per page.
struct ListSortState {
  int column = -1;          // -1: in the order the enumeration gave
  bool descending = false;  // the direction the rows show now
  bool flag[kSortColumnMax] = {};  // per column: the next click sorts descending
};
// After a start: the stored column comes up ascending and its next click turns it round.
void SortStateRestore(ListSortState& state, int stored, int columnCount);
// A click on the column; false when the column is not sortable. The rows are then to be
// sorted by state.column in state.descending; the value to store is column + 1.
bool SortStateClick(ListSortState& state, int column, int columnCount);

struct SortKey {
  std::string text;
  bool last = false;  // disabled entries: after all others whichever the direction
};
// Whole keys compared ignoring ASCII case; entries marked last come after the others in
// both directions. Negative, 0 or positive.
int CompareSortKeys(const SortKey& a, const SortKey& b, bool descending);
// Orders the entry indices in order by their keys (keys[entry]); equal keys keep the lower
// entry index first, so the result is the same whatever order the rows had before.
void SortRowOrder(std::vector<int>& order, const std::vector<SortKey>& keys, bool descending);

// "yyyymmddhhmm" for a first-detected text written in any of the known regional patterns;
// empty for a text that holds no time, which sorts before every date. Only when the year
// is written with two digits does the current short-date pattern (its index) decide the
// order of the fields; otherwise the text's own shape does, month/day/year being the rule
// for a shape that says nothing.
std::string FirstDetectedSortKey(std::string_view text, int shortDatePatternIndex);
