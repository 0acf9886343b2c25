#include "list_sort.h"

#include <algorithm>
#include <cstdio>

#include "datetime_text.h"

namespace {

// clang-format off
constexpr ColumnWidthRow kColumnWidths[] = {
    {6026, true,  5, {0.30, 0.16, 0.18, 0.15, 0.20}},              // Startup Programs
    {6055, true,  4, {0.35, 0.30, 0.15, 0.20}},                    // Delayed Start
    {6056, false, 6, {0.30, 0.20, 0.20, 0.10, 0.19, 0.25}},        // ActiveX
    {6040, false, 5, {0.30, 0.20, 0.20, 0.09, 0.20}},              // IE Helpers
    {6039, false, 5, {0.28, 0.16, 0.18, 0.18, 0.18}},              // Scheduled Tasks
    {6038, true,  6, {0.30, 0.18, 0.18, 0.09, 0.10, 0.20}},        // Services
    {6029, true,  4, {0.25, 0.35, 0.20, 0.20}},                    // Active Tasks
    // File Types inserts Extension at 5 and Type at 6, after four columns.
    {6042, true,  7, {0.30, 0.17, 0.20, 0.12, 0.08, 0.10, 0.08}},  // File Types
    {6052, true,  5, {0.23, 0.30, 0.20, 0.20, 0.12}},              // Hidden Files
    {6028, true,  2, {0.60, 0.39}},                                // Cookies (viewer list)
    {6044, true,  5, {0.40, 0.20, 0.10, 0.20, 0.09}},              // Cookie details
    {6041, true,  4, {0.35, 0.22, 0.22, 0.38}},                    // History
};
// clang-format on

constexpr int kServicesPage = 6038;
constexpr int kActiveXPage = 6056;

unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t shared = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < shared; ++i) {
    const int diff = LowerAscii(static_cast<unsigned char>(a[i])) -
                     LowerAscii(static_cast<unsigned char>(b[i]));
    if (diff != 0) return diff;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of 1 to maxDigits digits as a number; -1 for anything else.
int SmallNumber(std::string_view text, std::size_t maxDigits = 4) {
  if (text.empty() || text.size() > maxDigits) return -1;
  int value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

struct DateFields {
  int year = -1, month = -1, day = -1;
};

int FullYear(std::string_view text, int value) {
  if (text.size() > 2) return value;
  return value < 70 ? 2000 + value : 1900 + value;
}

bool SplitDate(std::string_view date, std::string_view (&field)[3]) {
  const std::size_t first = date.find_first_of("/-");
  if (first == std::string_view::npos) return false;
  const char separator = date[first];
  const std::size_t second = date.find(separator, first + 1);
  if (second == std::string_view::npos || date.find(separator, second + 1) != std::string_view::npos)
    return false;
  field[0] = date.substr(0, first);
  field[1] = date.substr(first + 1, second - first - 1);
  field[2] = date.substr(second + 1);
  return true;
}

bool YearFirst(std::string_view (&field)[3], int patternIndex) {
  if (field[0].size() > 2) return true;
  if (field[2].size() > 2) return false;
  return patternIndex == 4 || patternIndex == 5;
}

DateFields ParseDate(std::string_view date, int patternIndex) {
  DateFields out;
  std::string_view field[3];
  if (!SplitDate(date, field)) return out;
  const int month = MonthOfAbbreviation(field[1]);
  if (month > 0) {
    out.day = SmallNumber(field[0], 2);
    out.month = month;
    const int year = SmallNumber(field[2]);
    out.year = year < 0 ? -1 : FullYear(field[2], year);
    return out;
  }
  const bool yearFirst = YearFirst(field, patternIndex);
  const std::string_view yearText = yearFirst ? field[0] : field[2];
  const int year = SmallNumber(yearText);
  out.year = year < 0 ? -1 : FullYear(yearText, year);
  out.month = SmallNumber(yearFirst ? field[1] : field[0], 2);
  out.day = SmallNumber(yearFirst ? field[2] : field[1], 2);
  return out;
}

// "h:mm", "hh:mm", either with " AM" or " PM"; minutes since midnight, or -1.
int ParseTime(std::string_view time) {
  const std::size_t colon = time.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 2) return -1;
  int hour = SmallNumber(time.substr(0, colon));
  const std::string_view rest = time.substr(colon + 1);
  if (rest.size() < 2 || !IsDigit(rest[0]) || !IsDigit(rest[1])) return -1;
  const int minute = (rest[0] - '0') * 10 + (rest[1] - '0');
  const std::string_view marker = rest.substr(2);
  if (marker == " PM" || marker == " pm") {
    if (hour < 1 || hour > 12) return -1;
    if (hour < 12) hour += 12;
  } else if (marker == " AM" || marker == " am") {
    // Noon was once written "12:xx AM", so 12 stays 12 either way.
    if (hour > 12) return -1;
  } else if (!marker.empty()) {
    return -1;
  }
  if (hour > 23 || minute > 59) return -1;
  return hour * 60 + minute;
}

}  // namespace

const ColumnWidthRow* ColumnWidthsFor(int pageCommand) {
  for (const ColumnWidthRow& row : kColumnWidths)
    if (row.pageCommand == pageCommand) return &row;
  return nullptr;
}

int ColumnWidthPixels(int pageCommand, int column, int listWidth, int scrollBarWidth) {
  const ColumnWidthRow* row = ColumnWidthsFor(pageCommand);
  if (row == nullptr || column < 0 || column >= row->count || listWidth <= 0) return 0;
  const int width = row->lessScrollBar ? listWidth - std::max(scrollBarWidth, 0) : listWidth;
  return width <= 0 ? 0 : static_cast<int>(width * row->fraction[column]);
}

int SortableColumns(int pageCommand) {
  return pageCommand == kServicesPage || pageCommand == kActiveXPage ? 6 : 5;
}

int StoredSortColumn(int stored, int columnCount) {
  const int limit = std::min(columnCount, kSortColumnMax);
  if (stored < 1 || stored > limit) return -1;
  return stored - 1;
}

void SortStateRestore(ListSortState& state, int stored, int columnCount) {
  state = ListSortState{};
  state.column = StoredSortColumn(stored, columnCount);
  if (state.column >= 0) state.flag[state.column] = true;
}

bool SortStateClick(ListSortState& state, int column, int columnCount) {
  if (column < 0 || column >= std::min(columnCount, kSortColumnMax)) return false;
  state.column = column;
  state.descending = state.flag[column];
  state.flag[column] = !state.flag[column];
  return true;
}

int CompareSortKeys(const SortKey& a, const SortKey& b, bool descending) {
  if (a.last != b.last) return a.last ? 1 : -1;
  const int order = CompareNoCase(a.text, b.text);
  return descending ? -order : order;
}

void SortRowOrder(std::vector<int>& order, const std::vector<SortKey>& keys, bool descending) {
  const auto keyOf = [&keys](int entry) -> const SortKey& {
    static const SortKey kNone;
    return entry >= 0 && static_cast<std::size_t>(entry) < keys.size() ? keys[entry] : kNone;
  };
  std::sort(order.begin(), order.end(), [&](int x, int y) {
    const int compared = CompareSortKeys(keyOf(x), keyOf(y), descending);
    return compared != 0 ? compared < 0 : x < y;
  });
}

std::string FirstDetectedSortKey(std::string_view text, int shortDatePatternIndex) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return {};
  const DateFields date = ParseDate(text.substr(0, blank), shortDatePatternIndex);
  const int minutes = ParseTime(text.substr(blank + 1));
  if (minutes < 0 || date.year < 0 || date.year > 9999 || date.month < 1 || date.month > 12 ||
      date.day < 1 || date.day > 31)
    return {};
  char key[16];
  std::snprintf(key, sizeof key, "%04d%02d%02d%02d%02d", date.year, date.month, date.day,
                minutes / 60, minutes % 60);
  return key;
}
