// The category pages (Delayed Start, ActiveX, IE Helpers, Scheduled Tasks, Services, Active
// Tasks, File Types, Hidden Files): one machinery, and per page a table of what differs. A
// page's file holds its table, its fill and its own actions.
#pragma once
#include <windows.h>

#include <vector>

#include "foundation/options.h"
#include "list_page.h"
#include "startup/item_list.h"

enum class MenuShow { Always, NoteExists, Separator };

struct CategoryMenuRow {
  int string;
  int command;
  MenuShow show;
};

struct CategoryText {
  int string;
  int control;
};

// A check box that stores its state in an option and refills the list when clicked.
struct CategoryCheck {
  int control;
  int string;
  OptionId option;
};

struct CategoryPage;

struct CategoryPageTraits {
  int pageCommand;
  int pageIcon;
  const char* sortOption;
  const int* columnTitles;
  int columnCount;
  const CategoryText* texts;  // header lines and buttons
  int textCount;
  int secondHeader;  // the header's second line, stretched with it; 0 when none
  PageLayoutRecord layout;
  const CategoryCheck* checks;
  int checkCount;
  int sweepLabel;  // the sweep-time dialog's label string; 0: the page has no monitor picture
  OptionId sweepOption;
  int helpPage;  // the help page's command; 0: none
  const CategoryMenuRow* menu;  // the rows before the common end of the context menu
  int menuCount;
  bool keepListOnActivate;  // switching back to the tab shows the list it had
  // Enumerates afresh and fills page.rows and page.list.rows (between the list's begin and
  // end of fill, which the machinery does).
  void (*fill)(CategoryPage& page);
  ListSortKeyFn sortKey;
  // The page's own commands; false when the command is not one of them.
  bool (*command)(CategoryPage& page, int command);
  // Buttons that follow the selection; row is null when nothing is selected. May be null.
  void (*selectionChanged)(CategoryPage& page, const ItemRow* row);
};

struct CategoryPage {
  const CategoryPageTraits* traits = nullptr;
  HWND window = nullptr;
  ListPage list;
  // The entries the list was filled from, by entry index: actions work on these copies,
  // whatever the shared item list holds by the time the user acts.
  std::vector<ItemRow> rows;
  HFONT boldFont = nullptr;
  bool selectionPending = false;
  bool filled = false;
};

// The dialog procedure every category page's own procedure hands its messages to.
INT_PTR CategoryPageProc(CategoryPage& page, const CategoryPageTraits& traits, HWND window,
                         UINT message, WPARAM wParam, LPARAM lParam);

// Refills from a fresh enumeration; the row that was selected stays selected where it is.
int CategoryPageFill(CategoryPage& page);
// The rows of the selection, in row order; empty after telling the user (string 57, or the
// given string).
std::vector<ItemRow> CategoryPageSelection(CategoryPage& page, int noSelectionString = 57);
// The entry of the first selected row, or -1 after telling the user.
int CategoryPageSelectedEntry(CategoryPage& page, int noSelectionString = 57);
// The facts of the row's program file, whose icon the view shows (first-detected date
// recorded under detectedCategory when missing; none when it is null). A column showing the
// company is marked ListLate::Company, read when its row is shown.
const ListFileFacts& CategoryPageFacts(CategoryPage& page, ListRowView& view, const ItemRow& row,
                                       const char* detectedCategory);
// The command from its file-name part on, as the program columns show it.
std::string CategoryCommandShown(const std::string& command);
// A Yes/No question with the string (its "%s" filled with text); true for Yes.
bool CategoryAsk(HWND owner, int stringId, const char* text, UINT icon);
