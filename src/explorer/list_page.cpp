#include "list_page.h"

#include <shellapi.h>

#include <algorithm>
#include <numeric>

#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "datetime_text.h"
#include "records/first_detected.h"
#include "records/first_detected_store.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kTitleSize = 256;
constexpr int kDateTextSize = 24;
constexpr char kInternationalKey[] = "Control Panel\\International";
// Rows of a program file carry kFileImageBase minus the file's index until shown.
constexpr int kFileImageBase = -2;
constexpr double kSignatureColumnFraction = 0.2;

int ListPageDatePattern() {
  char pattern[kDateTextSize] = "";
  SettingsReadString(HKEY_CURRENT_USER, kInternationalKey, "sShortDate", pattern, sizeof pattern);
  return ShortDatePatternIndex(pattern);
}

int ListPageSortable(const ListPage& list) {
  return std::min(list.columnCount, SortableColumns(list.pageCommand));
}

bool ListPageInsertColumn(HWND list, int column, int titleString, int width) {
  char title[kTitleSize] = "";
  LocalString(titleString, title, sizeof title);
  LVCOLUMNA item = {};
  item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  item.fmt = LVCFMT_LEFT;
  item.cx = width;
  item.pszText = title;
  item.iSubItem = column;
  return SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&item)) >= 0;
}

// With a signature column, the page's own columns give up a share of their widths, so that
// it shows without scrolling and the others keep their proportions. The widths are final when
// inserted: resizing columns afterwards costs the list a relayout each.
void ListPageInsertColumns(ListPage& list, const int* titles, bool signatureColumn) {
  RECT area = {};
  GetClientRect(list.list, &area);
  const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
  const double share = signatureColumn ? 1.0 - kSignatureColumnFraction : 1.0;
  int total = 0;
  for (int column = 0; column < list.columnCount; ++column) {
    const int width = ColumnWidthPixels(list.pageCommand, column, area.right - area.left, scrollBar);
    if (ListPageInsertColumn(list.list, column, titles[column], static_cast<int>(width * share)))
      total += width;
    else
      TraceNote("list page", "a column could not be inserted");
  }
  if (!signatureColumn) return;
  if (!ListPageInsertColumn(list.list, list.columnCount, IDS_SIGNATURE_COLUMN,
                            static_cast<int>(total * kSignatureColumnFraction))) {
    TraceNote("list page", "the signature column could not be inserted");
    return;
  }
  list.signatureColumn = list.columnCount;
}

HICON ListPageSmallIcon(int resource) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource),
                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
}

// Adds the icon and lets it go; the image index, or fallback when it could not be added.
int ListPageAddIcon(HIMAGELIST images, HICON icon, int fallback) {
  if (icon == nullptr) return fallback;
  const int image = ImageList_AddIcon(images, icon);
  DestroyIcon(icon);
  return image >= 0 ? image : fallback;
}

struct ListBaseImages {
  HIMAGELIST images = nullptr;  // the program icon, then the default item icon
  int defaultImage = 0;
};

// Made once per run and copied at each fill: adding an icon to an image list costs more than
// filling a short list does.
const ListBaseImages& ListPageBaseImages() {
  static const ListBaseImages base = [] {
    ListBaseImages made;
    made.images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                   ILC_COLOR32 | ILC_MASK, 16, 32);
    if (made.images) {
      ListPageAddIcon(made.images, ListPageSmallIcon(IDI_PROGRAM), 0);
      made.defaultImage = ListPageAddIcon(made.images, ListPageSmallIcon(IDI_ITEM_DEFAULT), 0);
    }
    return made;
  }();
  return base;
}

// Extracting an icon costs more than everything else a row needs; a refill takes the icons
// of unchanged files from the cache.
HICON ListPageCachedIcon(ListPage& list, const char* file) {
  const FileStamp stamp = FileStampOf(file);
  ListIconCache& cached = list.icons[file];
  if (cached.icon && FileStampSame(cached.stamp, stamp)) return cached.icon;
  if (cached.icon) DestroyIcon(cached.icon);
  cached = {stamp, nullptr};
  if (ExtractIconExA(file, 0, nullptr, &cached.icon, 1) == 0) cached.icon = nullptr;
  return cached.icon;
}

int ListPageFileIcon(ListPage& list, const char* file) {
  HICON small = ListPageCachedIcon(list, file);
  if (small == nullptr) return list.defaultImage;
  const int image = ImageList_AddIcon(list.images, small);
  return image >= 0 ? image : list.defaultImage;
}

const std::string& ListPageFoundPath(ListFileFacts& facts) {
  if (facts.looked) return facts.path;
  facts.looked = true;
  char file[kPathSize];
  CopyBounded(file, sizeof file, facts.program);
  if (FileExists(file)) facts.path = file;
  return facts.path;
}

const std::string& ListPageCompanyOf(ListFileFacts& facts) {
  if (facts.versionRead) return facts.company;
  facts.versionRead = true;
  const std::string& path = ListPageFoundPath(facts);
  VersionStrings version;
  if (!path.empty() && ReadVersionStrings(path.c_str(), &version))
    facts.company = version.text[kCompanyName];
  return facts.company;
}

const FirstDetectedStore& ListPageDetectedStore(ListPage& list, int code) {
  auto [place, added] = list.detected.try_emplace(FirstDetectedKey(code));
  if (added) place->second = FirstDetectedStoreRead(code);
  return place->second;
}

// Every listed item has a date after its first listing: a missing one is recorded now.
std::string ListPageFirstDetected(ListPage& list, const char* command, const char* program,
                                  const char* category, int code) {
  std::string text = FirstDetectedStoreText(ListPageDetectedStore(list, code), program);
  if (!text.empty()) return text;
  RecordFirstDetected(command, category);
  char time[kDateTextSize] = "";
  FirstDetectedText(program, code, time);
  return time;
}

int ListPageFileIndex(ListPage& list, const char* command, const char* category, int code) {
  char program[kPathSize] = "";
  NormaliseCommandIn(list.folders, command, program, sizeof program);
  const int index = static_cast<int>(list.fileFacts.size());
  auto [place, added] = list.files.try_emplace(program, index);
  if (added) {
    ListFileFacts& facts = list.fileFacts.emplace_back();
    facts.program = program;
    facts.image = kFileImageBase - index;
    if (program[0] != '\0' && category != nullptr)
      facts.firstDetected = ListPageFirstDetected(list, command, program, category, code);
  }
  return place->second;
}

ListFileFacts* ListPageFileOf(ListPage& list, const ListRowView& row) {
  if (row.file < 0 || static_cast<std::size_t>(row.file) >= list.fileFacts.size()) return nullptr;
  return &list.fileFacts[static_cast<std::size_t>(row.file)];
}

// Verifying a signature costs more than anything else a row shows, so only the rows drawn pay
// for it, once per file and fill; the signature cache keeps it across fills.
const ListFileFacts* ListPageSignatureOf(ListPage& list, const ListRowView& row) {
  ListFileFacts* facts = ListPageFileOf(list, row);
  if (facts == nullptr || facts->signatureRead) return facts;
  facts->signatureRead = true;
  const std::string& path = ListPageFoundPath(*facts);
  if (path.empty()) return facts;
  const SignatureFacts signature = SignatureOf(path.c_str());
  facts->signature = signature.state;
  facts->signatureText = SignatureTextOf(signature);
  return facts;
}

void ListPageResolve(ListPage& list, int entry, int column) {
  ListRowView& row = list.rows[static_cast<std::size_t>(entry)];
  const ListLate late = row.late[column];
  if (late == ListLate::None) return;
  row.late[column] = ListLate::None;
  if (late == ListLate::Page) {
    if (list.lateCell) row.cell[column] = list.lateCell(list, entry, column);
  } else if (ListFileFacts* facts = ListPageFileOf(list, row)) {
    row.cell[column] = ListPageCompanyOf(*facts);
  }
}

void ListPageSortRows(ListPage& list) {
  if (list.sort.column < 0 || list.sortKey == nullptr) return;
  if (list.sort.column < kListColumnMax)
    for (std::size_t entry = 0; entry < list.rows.size(); ++entry)
      ListPageResolve(list, static_cast<int>(entry), list.sort.column);
  std::vector<SortKey> keys(list.rows.size());
  for (std::size_t entry = 0; entry < list.rows.size(); ++entry)
    keys[entry] = list.sortKey(list, static_cast<int>(entry), list.sort.column);
  SortRowOrder(list.order, keys, list.sort.descending);
}

void ListPageShowArrow(const ListPage& list) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(list.list, LVM_GETHEADER, 0, 0));
  if (header == nullptr) return;
  for (int column = 0; column < list.columnCount; ++column) {
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (!SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == list.sort.column) item.fmt |= list.sort.descending ? HDF_SORTDOWN : HDF_SORTUP;
    SendMessageA(header, HDM_SETITEMA, column, reinterpret_cast<LPARAM>(&item));
  }
}

void ListPageReselect(const ListPage& list, const std::vector<int>& entries) {
  ListView_SetItemState(list.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  bool first = true;
  for (int entry : entries) {
    const int row = ListPageRowOfEntry(list, entry);
    if (row < 0) continue;
    const UINT state = first ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    ListView_SetItemState(list.list, row, state, state);
    if (first) ListView_EnsureVisible(list.list, row, FALSE);
    first = false;
  }
}

void ListPageColumnClick(ListPage& list, int column) {
  if (!SortStateClick(list.sort, column, ListPageSortable(list))) return;
  const std::vector<int> selected = ListPageSelectedEntries(list);
  ListPageSortRows(list);
  ListPageReselect(list, selected);
  ListPageShowArrow(list);
  InvalidateRect(list.list, nullptr, FALSE);
  if (!OptionSet(list.sortOption, column + 1)) TraceNote("list page", "sort column not stored");
}

int ListPageImageOf(ListPage& list, const ListRowView& row) {
  if (row.image > kFileImageBase) return row.image;
  const std::size_t file = static_cast<std::size_t>(kFileImageBase - row.image);
  if (file >= list.fileFacts.size()) return list.defaultImage;
  ListFileFacts& facts = list.fileFacts[file];
  if (facts.shownImage < 0) {
    const std::string& path = ListPageFoundPath(facts);
    facts.shownImage = path.empty() ? list.defaultImage : ListPageFileIcon(list, path.c_str());
  }
  return facts.shownImage;
}

const ListRowView* ListPageRowAt(const ListPage& list, int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= list.order.size()) return nullptr;
  return &list.rows[static_cast<std::size_t>(list.order[static_cast<std::size_t>(row)])];
}

// The row the list asks about, with the asked column's text read if it waited for this.
const ListRowView* ListPageShownRow(ListPage& list, int row, int column, UINT mask) {
  if (row < 0 || static_cast<std::size_t>(row) >= list.order.size()) return nullptr;
  if (column < 0 || (column >= kListColumnMax && column != list.signatureColumn)) return nullptr;
  const int entry = list.order[static_cast<std::size_t>(row)];
  if ((mask & LVIF_TEXT) && column < kListColumnMax) ListPageResolve(list, entry, column);
  return &list.rows[static_cast<std::size_t>(entry)];
}

// The text of a shown cell: the page's own columns, then the signature column.
const std::string& ListPageCellText(ListPage& list, const ListRowView& row, int column) {
  static const std::string none;
  if (column != list.signatureColumn) return row.cell[column];
  const ListFileFacts* facts = ListPageSignatureOf(list, row);
  return facts ? facts->signatureText : none;
}

void ListPageDisplayA(ListPage& list, NMLVDISPINFOA& info) {
  const int column = info.item.iSubItem;
  const ListRowView* row = ListPageShownRow(list, info.item.iItem, column, info.item.mask);
  if (row == nullptr) return;
  if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0)
    CopyBounded(info.item.pszText, static_cast<std::size_t>(info.item.cchTextMax),
                ListPageCellText(list, *row, column));
  if (info.item.mask & LVIF_IMAGE) info.item.iImage = column == 0 ? ListPageImageOf(list, *row) : -1;
}

void ListPageDisplayW(ListPage& list, NMLVDISPINFOW& info) {
  const int column = info.item.iSubItem;
  const ListRowView* row = ListPageShownRow(list, info.item.iItem, column, info.item.mask);
  if (row == nullptr) return;
  if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
    const std::string& text = ListPageCellText(list, *row, column);
    const int written = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                            info.item.pszText, info.item.cchTextMax - 1);
    info.item.pszText[std::max(written, 0)] = L'\0';
  }
  if (info.item.mask & LVIF_IMAGE) info.item.iImage = column == 0 ? ListPageImageOf(list, *row) : -1;
}

// Typing the start of a title moves to the first row after the current one that begins so.
int ListPageFind(const ListPage& list, const NMLVFINDITEMA& find) {
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || find.lvfi.psz == nullptr) return -1;
  const std::string_view typed(find.lvfi.psz);
  const int count = static_cast<int>(list.order.size());
  for (int step = 0; step < count; ++step) {
    const int row = (std::max(find.iStart, 0) + step) % count;
    const std::string& title = ListPageRowAt(list, row)->cell[0];
    if (title.size() >= typed.size() && EqualsNoCase(std::string_view(title).substr(0, typed.size()), typed))
      return row;
  }
  return -1;
}

// Unsigned and tampered programs stand out in the attention colour, decided as the row is
// drawn: a fill verifies no signature of a row never shown.
LRESULT ListPageCustomDraw(ListPage& list, NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  const ListRowView* row = ListPageRowAt(list, static_cast<int>(draw.nmcd.dwItemSpec));
  const ListFileFacts* facts = row ? ListPageSignatureOf(list, *row) : nullptr;
  if (facts == nullptr || !SignatureNeedsAttention(facts->signature)) return CDRF_DODEFAULT;
  draw.clrText = kSignatureAttentionColour;
  return CDRF_NEWFONT;
}

}  // namespace

void ListPageInit(ListPage& list, HWND page, int pageCommand, const char* sortOption,
                  const int* columnTitles, int columnCount, ListSortKeyFn sortKey,
                  bool signatureColumn) {
  list.page = page;
  list.list = GetDlgItem(page, IDC_PAGE_LIST);
  list.pageCommand = pageCommand;
  list.sortOption = sortOption;
  list.columnCount = std::clamp(columnCount, 0, kListColumnMax);
  list.sortKey = sortKey;
  list.datePattern = ListPageDatePattern();
  ListView_SetExtendedListViewStyle(list.list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER |
                                                   LVS_EX_LABELTIP);
  ListPageInsertColumns(list, columnTitles, signatureColumn);
  SortStateRestore(list.sort, OptionGet(sortOption, 0), ListPageSortable(list));
}

void ListPageDestroy(ListPage& list) {
  if (list.list) ListView_SetImageList(list.list, nullptr, LVSIL_SMALL);
  if (list.images) ImageList_Destroy(list.images);
  list.images = nullptr;
  list.rows.clear();
  list.order.clear();
  list.files.clear();
  list.fileFacts.clear();
  list.detected.clear();
  for (auto& [file, cached] : list.icons)
    if (cached.icon) DestroyIcon(cached.icon);
  list.icons.clear();
}

void ListPageBeginFill(ListPage& list) {
  ListView_SetItemCount(list.list, 0);
  if (list.images) {
    ListView_SetImageList(list.list, nullptr, LVSIL_SMALL);
    ImageList_Destroy(list.images);
  }
  const ListBaseImages& base = ListPageBaseImages();
  list.images = base.images ? ImageList_Duplicate(base.images) : nullptr;
  list.defaultImage = list.images ? base.defaultImage : 0;
  if (list.images) ListView_SetImageList(list.list, list.images, LVSIL_SMALL);
  list.rows.clear();
  list.order.clear();
  list.files.clear();
  list.fileFacts.clear();
  list.detected.clear();
  CommandFoldersRead(list.folders);
}

const ListFileFacts& ListPageFileFacts(ListPage& list, const char* command,
                                       const char* detectedCategory, int detectedCode) {
  const int file = ListPageFileIndex(list, command, detectedCategory, detectedCode);
  return list.fileFacts[static_cast<std::size_t>(file)];
}

const ListFileFacts& ListPageRowFacts(ListPage& list, ListRowView& row, const char* command,
                                      const char* detectedCategory, int detectedCode) {
  row.file = ListPageFileIndex(list, command, detectedCategory, detectedCode);
  const ListFileFacts& facts = list.fileFacts[static_cast<std::size_t>(row.file)];
  row.image = facts.image;
  return facts;
}

bool ListPageFileFound(ListPage& list, const ListRowView& row) {
  if (row.file < 0 || static_cast<std::size_t>(row.file) >= list.fileFacts.size()) return false;
  return !ListPageFoundPath(list.fileFacts[static_cast<std::size_t>(row.file)]).empty();
}

int ListPageEndFill(ListPage& list) {
  list.order.resize(list.rows.size());
  std::iota(list.order.begin(), list.order.end(), 0);
  ListPageSortRows(list);
  const int count = static_cast<int>(list.order.size());
  ListView_SetItemState(list.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(list.list, count, 0);
  ListPageShowArrow(list);
  InvalidateRect(list.list, nullptr, TRUE);
  return count;
}

bool ListPageNotify(ListPage& list, const NMHDR* header, LRESULT& result) {
  if (header == nullptr || header->hwndFrom != list.list) return false;
  result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOA:
      ListPageDisplayA(list, *reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(header)));
      return true;
    case LVN_GETDISPINFOW:
      ListPageDisplayW(list, *reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header)));
      return true;
    case LVN_ODFINDITEMA:
      result = ListPageFind(list, *reinterpret_cast<const NMLVFINDITEMA*>(header));
      return true;
    case LVN_COLUMNCLICK:
      ListPageColumnClick(list, reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
      return true;
    case NM_CUSTOMDRAW:
      if (list.signatureColumn < 0) return false;
      result = ListPageCustomDraw(list, *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
      return true;
    default:
      return false;
  }
}

int ListPageSelectedEntry(const ListPage& list) {
  const int row = ListView_GetNextItem(list.list, -1, LVNI_SELECTED);
  if (row < 0 || static_cast<std::size_t>(row) >= list.order.size()) return -1;
  return list.order[static_cast<std::size_t>(row)];
}

std::vector<int> ListPageSelectedEntries(const ListPage& list) {
  std::vector<int> entries;
  for (int row = ListView_GetNextItem(list.list, -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(list.list, row, LVNI_SELECTED)) {
    if (static_cast<std::size_t>(row) >= list.order.size()) break;
    entries.push_back(list.order[static_cast<std::size_t>(row)]);
  }
  return entries;
}

int ListPageRowOfEntry(const ListPage& list, int entry) {
  const auto found = std::find(list.order.begin(), list.order.end(), entry);
  return found == list.order.end() ? -1 : static_cast<int>(found - list.order.begin());
}

void ListPageSelectOnly(const ListPage& list, int row) {
  ListView_SetItemState(list.list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row < 0 || static_cast<std::size_t>(row) >= list.order.size()) return;
  ListView_SetItemState(list.list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetSelectionMark(list.list, row);
  ListView_EnsureVisible(list.list, row, FALSE);
}

SortKey ListPageTextKey(const ListPage& list, int entry, int column) {
  const ListRowView& row = list.rows[static_cast<std::size_t>(entry)];
  return {row.cell[column], row.disabled};
}

SortKey ListPageDateKey(const ListPage& list, int entry, int column) {
  const ListRowView& row = list.rows[static_cast<std::size_t>(entry)];
  return {FirstDetectedSortKey(row.cell[column], list.datePattern), false};
}
