// The explorer's pages in tab order: which dialog, tab icon and title each has and which
// page command opens it. Platform-free.
#pragma once
#include <cstddef>
#include <span>
#include <vector>

struct PageRow {
  int pageCommand;
  int dialogId;
  int tabIconId;
  int titleStringId;
  bool ntOnly;  // Services: the 9x family has no service manager
};

inline constexpr std::size_t kPageCount = 12;
extern const PageRow kPageTable[kPageCount];

// True for the twelve commands that open a page; action commands and anything else are not.
bool IsPageCommand(int command);
// The rows of the platform family in tab order; without the NT family the rows behind
// Services move up by one.
std::vector<PageRow> PagesPresent(bool ntFamily);
// Index of the row that pageCommand opens; 0 when no row does.
std::size_t PageStartIndex(std::span<const PageRow> rows, int pageCommand);
