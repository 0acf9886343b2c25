#include "cookie_viewer.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/cookies_nuts.h"
#include "categories/cookies_review.h"
#include "cookies_text.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/placement.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "list_sort.h"
#include "lookup/info.h"
#include "message_dialog.h"
#include "options_store.h"
#include "picture_buttons.h"
#include "resource.h"
#include "startup/item_list.h"
#include "text.h"
#include "sweep_time_dialog.h"
#include "text_viewer.h"

namespace {

constexpr int kMozillaPage = 6044;
constexpr int kIEPage = 6028;
constexpr int kMinWidth = 640;
constexpr int kMinHeight = 320;
constexpr int kCellSize = 1024;
constexpr int kTrueString = 779;
constexpr int kFalseString = 780;
constexpr int kCookieSweepLabel = 787;
constexpr int kCookieSweepAdvice = 965;
constexpr int kCookieCaption = 29;
constexpr int kNoCookieSelected = 58;
constexpr int kRemoveCheckedQuestion = 738;
constexpr int kRemoveUncheckedQuestion = 728;
constexpr int kButtons[] = {IDC_VIEWER_VIEW, IDC_VIEWER_REMOVE_UNCHECKED,
                            IDC_VIEWER_REMOVE_CHECKED, IDCANCEL};
constexpr char kSortOption[] = "SortCookie";

struct ViewerState {
  HWND dialog = nullptr;
  HWND list = nullptr;
  HWND status = nullptr;
  bool mozilla = false;
  int pageCommand = kIEPage;
  int columns = 2;
  std::vector<ItemRow> rows;
  std::vector<std::vector<std::string>> cells;  // by row index
  ListSortState sort;
};

std::string ViewerString(int number) {
  char text[kCellSize] = "";
  LocalString(number, text, sizeof text);
  return text;
}

std::vector<std::string> ViewerCells(const ViewerState& state, const ItemRow& row) {
  if (!state.mozilla) return {row.title, row.extra};
  return {row.title, row.extra, row.command, row.key,
          ViewerString(row.value == 1 ? kTrueString : kFalseString)};
}

void ViewerColumns(ViewerState& state) {
  static constexpr int kMozillaTitles[] = {1303, 1304, 776, 1305, 1306};
  static constexpr int kIETitles[] = {608, 669};
  RECT area = {};
  GetClientRect(state.list, &area);
  for (int column = 0; column < state.columns; ++column) {
    LVCOLUMNA item = {};
    item.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    item.cx = ColumnWidthPixels(state.pageCommand, column, area.right - area.left,
                                GetSystemMetrics(SM_CXVSCROLL));
    std::string title = ViewerString(state.mozilla ? kMozillaTitles[column] : kIETitles[column]);
    item.pszText = title.data();
    item.iSubItem = column;
    if (ListView_InsertColumn(state.list, column, &item) < 0)
      TraceNote("cookie viewer", "a column could not be inserted");
  }
}

struct ViewerSortContext {
  const ViewerState* state;
  int column;
  bool descending;
};

int CALLBACK ViewerCompare(LPARAM a, LPARAM b, LPARAM context) {
  const auto& sort = *reinterpret_cast<const ViewerSortContext*>(context);
  const auto& cells = sort.state->cells;
  const int order = CompareSortKeys({cells[static_cast<std::size_t>(a)][static_cast<std::size_t>(sort.column)]},
                                    {cells[static_cast<std::size_t>(b)][static_cast<std::size_t>(sort.column)]},
                                    sort.descending);
  if (order != 0) return order;
  return a < b ? -1 : (a > b ? 1 : 0);
}

void ViewerSortBy(ViewerState& state, int column, bool descending) {
  if (column < 0 || column >= state.columns) return;
  ViewerSortContext context = {&state, column, descending};
  ListView_SortItems(state.list, ViewerCompare, reinterpret_cast<LPARAM>(&context));
}

// Cookies the user removed from a Mozilla file are Nuts until the file is rewritten.
bool ViewerListed(const ViewerState& state, const ItemRow& row) {
  return !state.mozilla || !CookieNutNamed(NutsLoaded(), row.title);
}

void ViewerInsert(ViewerState& state, std::size_t index) {
  const std::vector<std::string>& cells = state.cells[index];
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = static_cast<int>(index);
  item.pszText = const_cast<char*>(cells[0].c_str());
  item.lParam = static_cast<LPARAM>(index);
  const int row = ListView_InsertItem(state.list, &item);
  if (row < 0) return;
  for (int column = 1; column < state.columns; ++column)
    ListView_SetItemText(state.list, row, column, const_cast<char*>(cells[static_cast<std::size_t>(column)].c_str()));
  ListView_SetCheckState(state.list, row, CookieIsKept(state.rows[index].title.c_str()));
}

void ViewerFill(ViewerState& state) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
  CookieKindSet(state.mozilla ? kCookieKindMozilla : kCookieKindIE);
  EnumerateCookies(0);
  std::vector<ItemRow> all = ItemRowsCopy();
  ItemListClear();
  LoadNuts();
  state.rows.clear();
  for (ItemRow& row : all)
    if (ViewerListed(state, row)) state.rows.push_back(std::move(row));
  FreeNuts();
  state.cells.clear();
  for (const ItemRow& row : state.rows) state.cells.push_back(ViewerCells(state, row));
  SendMessageA(state.list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(state.list);
  for (std::size_t i = 0; i < state.rows.size(); ++i) ViewerInsert(state, i);
  ViewerSortBy(state, state.sort.column, state.sort.descending);
  SendMessageA(state.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(state.list, nullptr, TRUE);
  SetCursor(previous);
}

// The row indexes of the checked or of the unchecked list rows.
std::vector<std::size_t> ViewerRows(const ViewerState& state, bool checked) {
  std::vector<std::size_t> rows;
  const int count = ListView_GetItemCount(state.list);
  for (int row = 0; row < count; ++row) {
    if ((ListView_GetCheckState(state.list, row) != 0) != checked) continue;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (ListView_GetItem(state.list, &item)) rows.push_back(static_cast<std::size_t>(item.lParam));
  }
  return rows;
}

void ViewerAfterRemoval(ViewerState& state) {
  // The filtered file is written now; the monitor puts it in place once the browser is closed.
  if (state.mozilla) EnumerateCookies(1);
  ViewerFill(state);
  ViewerSortBy(state, 1, true);
}

void ViewerRemoveRows(ViewerState& state, const std::vector<std::size_t>& rows) {
  const UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS);
  for (std::size_t index : rows)
    if (!CookiesRemove(state.rows[index].title.c_str()))
      TraceNote("cookie viewer", "a cookie could not be removed");
  SetErrorMode(mode);
}

bool ViewerAsk(HWND dialog, int question) {
  return ShowStringMessage(dialog, question, MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST) == IDYES;
}

void ViewerRemoveChecked(ViewerState& state) {
  const std::vector<std::size_t> checked = ViewerRows(state, true);
  if (checked.empty() || !ViewerAsk(state.dialog, kRemoveCheckedQuestion)) return;
  ViewerRemoveRows(state, checked);
  ViewerAfterRemoval(state);
}

void ViewerRemoveUnchecked(ViewerState& state) {
  if (!ViewerAsk(state.dialog, kRemoveUncheckedQuestion)) return;
  for (std::size_t index : ViewerRows(state, true))
    if (!CookiesKeep(state.rows[index].title.c_str())) TraceNote("cookie viewer", "not kept");
  ViewerRemoveRows(state, ViewerRows(state, false));
  ViewerAfterRemoval(state);
}

void ViewerView(ViewerState& state) {
  const int row = ListView_GetNextItem(state.list, -1, LVNI_SELECTED);
  if (row < 0) {
    ShowStringMessage(state.dialog, kNoCookieSelected, MB_OK | MB_ICONQUESTION);
    return;
  }
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!ListView_GetItem(state.list, &item)) return;
  char path[kPathSize] = "";
  CopyBounded(path, sizeof path, state.rows[static_cast<std::size_t>(item.lParam)].command);
  if (FileExists(path)) TextViewerShow(state.dialog, path, kCookieCaption);
}

void ViewerShowPicture(const ViewerState& state) {
  PictureButtonSetMonitor(state.dialog, IDC_MONITOR_PICTURE, OptionsStoreValue(kOptCookies) > 0, false);
}

void ViewerSweepTime(ViewerState& state) {
  ShowMessageDialog(state.dialog, kCookieSweepAdvice);
  const int minutes = SweepTimeDialog(state.dialog, kCookieSweepLabel);
  if (minutes >= 0) {
    OptionsStoreChange(kOptCookies, minutes);
    OptionsStoreWriteAll();
  }
  ViewerShowPicture(state);
}

void ViewerLayout(const ViewerState& state) {
  RECT area = {};
  GetClientRect(state.dialog, &area);
  if (state.status) SendMessageA(state.status, WM_SIZE, 0, 0);
  RECT bar = {};
  if (state.status) GetWindowRect(state.status, &bar);
  RECT unit = {0, 0, 4, 8};
  MapDialogRect(state.dialog, &unit);
  const int margin = unit.right * 2, buttonHeight = unit.bottom * 15 / 8;
  const int buttonWidth = unit.right * 18;
  const int buttonTop = area.bottom - (bar.bottom - bar.top) - margin - buttonHeight;
  HWND folder = GetDlgItem(state.dialog, IDC_VIEWER_FOLDER);
  RECT folderBox = {};
  GetWindowRect(folder, &folderBox);
  MapWindowPoints(nullptr, state.dialog, reinterpret_cast<POINT*>(&folderBox), 2);
  const int listTop = folderBox.bottom + margin / 2;
  MoveWindow(state.list, margin, listTop, area.right - 2 * margin, buttonTop - margin - listTop, TRUE);
  int left = area.right - margin;
  for (int i = static_cast<int>(std::size(kButtons)) - 1; i >= 0; --i) {
    left -= buttonWidth;
    MoveWindow(GetDlgItem(state.dialog, kButtons[i]), left, buttonTop, buttonWidth, buttonHeight, TRUE);
    left -= margin;
  }
}

void ViewerInit(HWND dialog, ViewerState& state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  state.dialog = dialog;
  state.list = GetDlgItem(dialog, IDC_PAGE_LIST);
  state.pageCommand = state.mozilla ? kMozillaPage : kIEPage;
  state.columns = state.mozilla ? 5 : 2;
  const struct {
    int string, control;
  } kTexts[] = {{231, IDC_VIEWER_TEXT1}, {232, IDC_VIEWER_TEXT2}, {659, IDC_VIEWER_VIEW},
                {303, IDC_VIEWER_REMOVE_UNCHECKED}, {708, IDC_VIEWER_REMOVE_CHECKED},
                {IDS_CLOSE, IDCANCEL}, {794, IDC_MONITOR_LABEL}};
  for (const auto& text : kTexts) SetDialogText(dialog, text.string, text.control);
  char caption[256] = "";
  LocalString(kCookieCaption, caption, sizeof caption);
  SetWindowTextA(dialog, caption);
  char folder[kPathSize] = "";
  if (state.mozilla) FindMozillaProfileFolder(folder, sizeof folder);
  else FindIECookieFolder(folder, sizeof folder);
  SetDlgItemTextA(dialog, IDC_VIEWER_FOLDER, folder);
  if (state.mozilla) ShowWindow(GetDlgItem(dialog, IDC_VIEWER_VIEW), SW_HIDE);
  state.status = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                                 0, 0, 0, dialog, reinterpret_cast<HMENU>(ID_STATUS_BAR),
                                 GetModuleHandleA(nullptr), nullptr);
  ListView_SetExtendedListViewStyle(state.list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT |
                                                    LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
  ViewerColumns(state);
  SortStateRestore(state.sort, OptionGet(kSortOption, 0), state.columns);
  PictureButtonAttach(dialog, IDC_MONITOR_PICTURE, PictureKind::Monitor, IDC_MONITOR_PICTURE);
  ViewerShowPicture(state);
  PlacementRestore(dialog, kPlaceCookie);
  ViewerLayout(state);
  ViewerFill(state);
}

void ViewerColumnClick(ViewerState& state, int column) {
  if (!SortStateClick(state.sort, column, state.columns)) return;
  ViewerSortBy(state, state.sort.column, state.sort.descending);
  if (!OptionSet(kSortOption, column + 1)) TraceNote("cookie viewer", "sort column not stored");
}

void ViewerMenu(ViewerState& state, POINT at) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  const struct {
    int string, command;
  } kItems[] = {{659, IDC_VIEWER_VIEW}, {303, IDC_VIEWER_REMOVE_UNCHECKED},
                {708, IDC_VIEWER_REMOVE_CHECKED}, {0, 0}, {31, IDC_HELP_PICTURE}};
  for (const auto& item : kItems) {
    if (item.command == 0) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (state.mozilla && item.command == IDC_VIEWER_VIEW) continue;
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), ViewerString(item.string).c_str());
  }
  if (at.x == -1 && at.y == -1) GetCursorPos(&at);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, state.dialog, nullptr);
  DestroyMenu(menu);
}

void ViewerEnd(ViewerState& state) {
  PlacementSave(state.dialog, kPlaceCookie);
  PictureButtonDetach(state.dialog, IDC_MONITOR_PICTURE);
  ItemListClear();
  EndDialog(state.dialog, IDCANCEL);
}

bool ViewerCommand(ViewerState& state, int command) {
  switch (command) {
    case IDOK:
    case IDC_VIEWER_VIEW: if (!state.mozilla) ViewerView(state); return true;
    case IDC_VIEWER_REMOVE_UNCHECKED: ViewerRemoveUnchecked(state); return true;
    case IDC_VIEWER_REMOVE_CHECKED: ViewerRemoveChecked(state); return true;
    case IDC_MONITOR_PICTURE: ViewerSweepTime(state); return true;
    case IDC_HELP_PICTURE: ShowHelp(ID_PAGE_COOKIES); return true;
    case IDCANCEL: ViewerEnd(state); return true;
    default: return false;
  }
}

INT_PTR ViewerNotify(ViewerState& state, const NMHDR* header) {
  if (header->hwndFrom != state.list) return FALSE;
  switch (header->code) {
    case LVN_COLUMNCLICK:
      ViewerColumnClick(state, reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
      return TRUE;
    case NM_DBLCLK:
      if (!state.mozilla) ViewerView(state);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK ViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<ViewerState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    ViewerInit(dialog, *reinterpret_cast<ViewerState*>(lParam));
    return TRUE;
  }
  if (state == nullptr) return FALSE;
  if (PictureButtonMouse(dialog, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_COMMAND: return ViewerCommand(*state, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_NOTIFY: return ViewerNotify(*state, reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE: ViewerLayout(*state); return TRUE;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {kMinWidth, kMinHeight};
      return TRUE;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != state->list) return FALSE;
      ViewerMenu(*state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void CookieViewerShow(HWND owner, bool mozilla) {
  ViewerState state;
  state.mozilla = mozilla;
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COOKIE_VIEWER), owner,
                      ViewerProc, reinterpret_cast<LPARAM>(&state)) < 0)
    TraceNote("cookie viewer", "dialog not shown");
}
