// What every list page shares: the report list (a virtual list over the page's own rows),
// its columns, icons, version facts and signatures read once per program file and only for
// the rows shown, the first-detected column, column-click sorting with the stored Sort* option,
// selection and the relayout.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "list_sort.h"
#include "lookup/signature.h"
#include "records/first_detected_store.h"

inline constexpr int kListColumnMax = 7;

// A cell whose text is read when its row is first shown or sorted on, not while the list
// fills: what the fill does not need costs nothing for rows the user never scrolls to.
enum class ListLate : unsigned char {
  None,
  Company,  // the company name of the row's program file
  Page,     // asked of the page's ListPage::lateCell
};

// What the list shows of one entry of the page's rows, in the same order.
struct ListRowView {
  std::string cell[kListColumnMax];
  ListLate late[kListColumnMax] = {};
  int file = -1;  // the row's program file in ListPage::fileFacts; -1: none
  int image = 0;  // as ListFileFacts::image gives it
  bool disabled = false;  // sorts after the others on the columns that say so
};

// Facts of one program file, read once per fill however many rows start it, each only when
// first needed.
struct ListFileFacts {
  std::string program;  // the row's command, normalised
  bool looked = false;  // path holds the result of looking for the file on disk
  std::string path;     // as found on disk; empty when the file is not there
  bool versionRead = false;  // company holds the version resource's company name
  std::string company;
  // What a row of the file puts in ListRowView::image. The icon itself is extracted only
  // when a row of the file is first shown, so this names the file, not yet an image.
  int image = 0;
  int shownImage = -1;  // the image list's index once extracted
  std::string firstDetected;  // read while filling, for a page that names its category
  bool signatureRead = false;  // signature and signatureText hold the file's signature
  SignatureState signature = SignatureState::kNone;
  std::string signatureText;
};

// A program file's small icon, kept across fills while the file stays as it was.
struct ListIconCache {
  FileStamp stamp;
  HICON icon = nullptr;
};

struct ListPage;
// The key a column sorts by; the page supplies it (most columns sort by their text).
using ListSortKeyFn = SortKey (*)(const ListPage& list, int entry, int column);
// The text of a ListLate::Page cell.
using ListLateCellFn = std::string (*)(const ListPage& list, int entry, int column);

struct ListPage {
  HWND page = nullptr;
  HWND list = nullptr;
  int pageCommand = 0;
  const char* sortOption = "";
  int columnCount = 0;
  int signatureColumn = -1;  // after the page's own columns; -1 when the list has none
  ListSortKeyFn sortKey = nullptr;
  ListLateCellFn lateCell = nullptr;
  HIMAGELIST images = nullptr;
  int defaultImage = 0;
  std::vector<ListRowView> rows;  // by entry index
  std::vector<int> order;         // list row -> entry index
  ListSortState sort;
  std::deque<ListFileFacts> fileFacts;
  std::unordered_map<std::string, int> files;  // program file (upper case) -> fileFacts index
  // The first-detected stores the fill has read, by category key: one read per fill.
  std::unordered_map<std::string, FirstDetectedStore> detected;
  int datePattern = -1;                                  // the user's short-date pattern
  CommandFolders folders;                                // read at each fill
  std::unordered_map<std::string, ListIconCache> icons;  // by program file, across fills
};

// WM_INITDIALOG: columns of the page with their width fractions, and the stored sort. Program
// lists add the signature column after the page's own columns.
void ListPageInit(ListPage& list, HWND page, int pageCommand, const char* sortOption,
                  const int* columnTitles, int columnCount, ListSortKeyFn sortKey,
                  bool signatureColumn);
void ListPageDestroy(ListPage& list);
// A fill: begin (fresh image list and file cache, no rows), then a row per entry, then end
// (sorted as stored, shown). Returns the row count.
void ListPageBeginFill(ListPage& list);
// The facts of the command's program file, taken on its first row of the fill: the
// first-detected date only when detectedCategory names the page's category (and recorded
// under it when missing); the rest when a row shows it.
const ListFileFacts& ListPageFileFacts(ListPage& list, const char* command,
                                       const char* detectedCategory, int detectedCode);
// The same, for the row that shows them: its file and image are set. Its signature is read
// when the row is first shown (the column's text or the row's colour).
const ListFileFacts& ListPageRowFacts(ListPage& list, ListRowView& row, const char* command,
                                      const char* detectedCategory, int detectedCode);
// Whether the row's program file is on disk (looked for once per file and fill).
bool ListPageFileFound(ListPage& list, const ListRowView& row);
int ListPageEndFill(ListPage& list);
// WM_NOTIFY of the list: the rows' texts, images and colours, column clicks. True when taken.
bool ListPageNotify(ListPage& list, const NMHDR* header, LRESULT& result);

// The entry index of the first selected row, or -1; every selected entry in row order.
int ListPageSelectedEntry(const ListPage& list);
std::vector<int> ListPageSelectedEntries(const ListPage& list);
int ListPageRowOfEntry(const ListPage& list, int entry);
// Selects and focuses the row only, and scrolls it into view.
void ListPageSelectOnly(const ListPage& list, int row);

// The key a text column sorts by, with the disabled entry's place.
SortKey ListPageTextKey(const ListPage& list, int entry, int column);
SortKey ListPageDateKey(const ListPage& list, int entry, int column);

// The controls a page lays out on the relayout request: pictures and header on top, the
// list in the middle, a row of buttons (each with an optional partner in its place) below.
struct PageLayoutRecord {
  int list;
  int icon;
  int header;
  int helpPicture, helpLabel;
  int monitorPicture, monitorLabel;
  int extra;  // a control under the header (a check box), or 0
  int buttons[5];
  int partners[5];
  int buttonCount;
};
void ListPageLayout(HWND page, const PageLayoutRecord& record);
