// The Startup Programs page: its dialog procedure, the fill and the selection rules.
#include "page_startup.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "command_name_text.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "pages.h"
#include "paths_text.h"
#include "lookup/info.h"
#include "picture_buttons.h"
#include "records/note_file.h"
#include "reports/report_system.h"
#include "resource.h"
#include "sheet.h"
#include "startup/disabled_titles.h"
#include "startup/locations.h"
#include "startup/startup_list.h"
#include "startup/startup_points.h"
#include "startup/startup_tasks.h"
#include "startup_questions.h"
#include "text.h"

StartupPage g_startupPage;

namespace {

constexpr int kColumnTitles[] = {627, 628, 699, 714, 912};
constexpr int kColumnCount = 5;
constexpr int kLocationColumn = 3;
constexpr int kDetectedColumn = 4;
constexpr int kDisabledTypeString = 626;
constexpr int kLocationPrefixString = 646;
constexpr int kRemoveString = 302;
constexpr int kResetString = 677;
constexpr char kRundllPrefix[] = "RunDLL32.exe ";
constexpr char kDetectedCategory[] = "Startup";
// Posted while the list reports its selection changes, so the buttons follow once per burst.
constexpr UINT kSelectionMessage = WM_APP + 20;

constexpr PageLayoutRecord kLayout = {
    IDC_PAGE_LIST,
    IDC_PAGE_ICON,
    IDC_PAGE_HEADER,
    IDC_HELP_PICTURE,
    IDC_HELP_LABEL,
    IDC_MONITOR_PICTURE,
    IDC_MONITOR_LABEL,
    IDC_STARTUP_SHOW_ALL,
    {IDC_PAGE_INFO, IDC_STARTUP_ADD, IDC_STARTUP_REMOVE, IDC_STARTUP_ENABLE, IDC_PAGE_CLOSE},
    {0, 0, 0, IDC_STARTUP_DISABLE, 0},
    5,
};

SortKey StartupSortKey(const ListPage& list, int entry, int column) {
  if (column == kLocationColumn)
    return {std::to_string(g_startupPage.rows[static_cast<std::size_t>(entry)].code),
            list.rows[static_cast<std::size_t>(entry)].disabled};
  if (column == kDetectedColumn) return ListPageDateKey(list, entry, column);
  return ListPageTextKey(list, entry, column);
}

void StartupRowView(StartupPage& page, const ItemRow& row, const std::string& disabledText,
                    ListRowView& view) {
  const ListFileFacts& facts =
      ListPageRowFacts(page.list, view, row.command.c_str(), kDetectedCategory, row.code);
  const bool task = StartupTaskRow(row.code);
  view.disabled =
      task ? StartupTaskDisabled(row)
           : DisabledEntryHolds(page.disabledTitles, row.code, row.title.c_str(), row.key.c_str());
  // A task's title is its path in the scheduler's folders, shown whole.
  view.cell[0] = task ? row.title : row.title.substr(FileNameOffset(row.title));
  view.cell[1] = (row.value == 1 && !task ? kRundllPrefix : "") +
                 row.command.substr(CommandFileNameOffset(row.command));
  view.late[2] = ListLate::Company;
  view.cell[kLocationColumn] = view.disabled ? disabledText : ShortLocationName(row.code);
  view.cell[kDetectedColumn] = facts.firstDetected;
}

void StartupButtonShown(HWND window, int control, bool shown, bool enabled) {
  ShowWindow(GetDlgItem(window, control), shown ? SW_SHOW : SW_HIDE);
  EnableWindow(GetDlgItem(window, control), enabled);
}

void StartupInfoBold(StartupPage& page, bool bold) {
  HWND info = GetDlgItem(page.window, IDC_PAGE_INFO);
  HFONT font = bold && page.boldFont ? page.boldFont
                                     : reinterpret_cast<HFONT>(SendMessageA(page.window, WM_GETFONT, 0, 0));
  SendMessageA(info, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void StartupStatus(const ItemRow& row) {
  char text[1024] = "", label[512] = "";
  LocalString(kLocationPrefixString, text, sizeof text);
  LocationLabel(row.title.c_str(), row.code, label, sizeof label);
  AppendBounded(text, sizeof text, label);
  SetStatusText(text);
}

void StartupLocationRules(HWND window, int code) {
  char remove[256] = "";
  LocalString(code == kLocationUserinit || code == kLocationShell ? kResetString : kRemoveString,
              remove, sizeof remove);
  SetDlgItemTextA(window, IDC_STARTUP_REMOVE, remove);
  if ((code >= kLocationUserinit && code < kLocationNotify) || StartupPointCode(code)) {
    EnableWindow(GetDlgItem(window, IDC_STARTUP_ENABLE), FALSE);
    EnableWindow(GetDlgItem(window, IDC_STARTUP_DISABLE), FALSE);
  }
  if (code == kLocationNotify) EnableWindow(GetDlgItem(window, IDC_STARTUP_REMOVE), FALSE);
  // The Task Scheduler switches a task off; switching it on again is left to it.
  if (StartupTaskRow(code)) EnableWindow(GetDlgItem(window, IDC_STARTUP_ENABLE), FALSE);
}

HFONT StartupBoldFont(HWND window) {
  LOGFONTA font = {};
  HFONT base = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (base == nullptr || GetObjectA(base, sizeof font, &font) == 0) return nullptr;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&font);
}

void StartupPageIcon(HWND window) {
  const int size = GetSystemMetrics(SM_CXICON);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(IDI_TAB_STARTUP), IMAGE_ICON, size,
                                             size, LR_SHARED));
  if (icon) SendDlgItemMessageA(window, IDC_PAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void StartupPageInit(StartupPage& page, HWND window) {
  page.window = window;
  const struct {
    int string, control;
  } kTexts[] = {{211, IDC_PAGE_HEADER},     {301, IDC_PAGE_INFO},        {311, IDC_STARTUP_ADD},
                {302, IDC_STARTUP_REMOVE},  {632, IDC_STARTUP_ENABLE},   {633, IDC_STARTUP_DISABLE},
                {304, IDC_PAGE_CLOSE},      {929, IDC_STARTUP_SHOW_ALL}, {793, IDC_HELP_LABEL},
                {794, IDC_MONITOR_LABEL}};
  for (const auto& text : kTexts) SetDialogText(window, text.string, text.control);
  ShowWindow(GetDlgItem(window, IDC_STARTUP_DISABLE), SW_HIDE);
  if (IsWin9xFamily()) ShowWindow(GetDlgItem(window, IDC_PAGE_CLOSE), SW_HIDE);
  StartupPageIcon(window);
  page.boldFont = StartupBoldFont(window);
  ListPageInit(page.list, window, ID_PAGE_STARTUP, "SortStartup", kColumnTitles, kColumnCount,
               StartupSortKey, true);
  SheetPageInit(window, ID_PAGE_STARTUP);
}

void StartupPageActivate(StartupPage& page) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // the hourglass
  StartupQuestionsInstall(page.window);
  EnableWindow(GetDlgItem(page.window, IDC_STARTUP_SHOW_ALL), TRUE);
  StartupPageFill(page, true);
  CreateActivePage(page.window);
  StartupShowMonitorPicture(page);
  CheckDlgButton(page.window, IDC_STARTUP_SHOW_ALL,
                 OptionGet("ShowAllStartup", 0) > 0 ? BST_CHECKED : BST_UNCHECKED);
  SetCursor(previous);
}

// The working list lives only while the page shows.
void StartupPageDeactivate(StartupPage& page) {
  CleanupActivePage(page.window);
  ListPageBeginFill(page.list);
  ListPageEndFill(page.list);
  page.rows.clear();
  page.disabledTitles.clear();
}

void StartupPageDestroy(StartupPage& page) {
  ListPageDestroy(page.list);
  page.rows.clear();
  if (page.boldFont) DeleteObject(page.boldFont);
  page.boldFont = nullptr;
  page.window = nullptr;
}

void StartupQueueSelection(StartupPage& page) {
  if (page.selectionPending) return;
  page.selectionPending = PostMessageA(page.window, kSelectionMessage, 0, 0) != FALSE;
}

void StartupShowMenuAtSelection(StartupPage& page) {
  const int row = ListView_GetNextItem(page.list.list, -1, LVNI_SELECTED);
  if (row < 0) return;
  RECT box = {};
  ListView_GetItemRect(page.list.list, row, &box, LVIR_LABEL);
  POINT at = {box.left, box.bottom};
  ClientToScreen(page.list.list, &at);
  StartupContextMenu(page, at);
}

bool StartupListKey(StartupPage& page, WORD key) {
  switch (key) {
    case VK_DELETE: StartupRemove(page); return true;
    case VK_F5: StartupPageFill(page, false); return true;
    default: return false;
  }
}

bool StartupListNotify(StartupPage& page, const NMHDR* header) {
  switch (header->code) {
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
    case NM_CLICK:
      StartupQueueSelection(page);
      return true;
    case NM_DBLCLK: StartupOnlineInfo(page); return true;
    case NM_RETURN: StartupInfo(page); return true;
    case LVN_KEYDOWN:
      return StartupListKey(page, reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey);
    default:
      return false;
  }
}

INT_PTR StartupPageNotify(StartupPage& page, const NMHDR* header) {
  LRESULT result = 0;
  if (ListPageNotify(page.list, header, result)) {
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, result);
    return TRUE;
  }
  if (header->hwndFrom == page.list.list) return StartupListNotify(page, header) ? TRUE : FALSE;
  if (header->code == PSN_SETACTIVE) {
    StartupPageActivate(page);
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  if (header->code == PSN_KILLACTIVE) {
    StartupPageDeactivate(page);
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, FALSE);
    return TRUE;
  }
  return FALSE;
}

void StartupShowAllClicked(StartupPage& page) {
  const bool all = IsDlgButtonChecked(page.window, IDC_STARTUP_SHOW_ALL) == BST_CHECKED;
  OptionSet("ShowAllStartup", all ? 1 : 0);
  StartupPageFill(page, true);
}

bool StartupPageCommand(StartupPage& page, int command) {
  switch (command) {
    case IDOK:
    case IDC_PAGE_INFO: StartupInfo(page); return true;
    case ID_MENU_VELT_INFO: StartupOnlineInfo(page); return true;
    case ID_MENU_LOG: WriteSystemReport(page.window); return true;
    case IDC_STARTUP_ADD: StartupAdd(page); return true;
    case IDC_STARTUP_REMOVE: StartupRemove(page); return true;
    case IDC_STARTUP_ENABLE: StartupToggle(page, true); return true;
    case IDC_STARTUP_DISABLE: StartupToggle(page, false); return true;
    case ID_MENU_DELAY: StartupDelay(page); return true;
    case ID_MENU_DELETE_ON_REBOOT: StartupDeleteOnReboot(page); return true;
    case ID_MENU_EXPLORE_FOLDER: StartupExploreFolder(page); return true;
    case ID_MENU_PROPERTIES: StartupProperties(page); return true;
    case ID_MENU_VIEW_NOTE: StartupViewNote(page); return true;
    case IDC_STARTUP_SHOW_ALL: StartupShowAllClicked(page); return true;
    case IDC_MONITOR_PICTURE: StartupSweepTime(page); return true;
    case IDC_HELP_PICTURE: ShowHelp(ID_PAGE_STARTUP); return true;
    case IDC_PAGE_CLOSE: SheetPageClosed(page.window); return true;
    case IDCANCEL: return true;
    default: return false;
  }
}

}  // namespace

int StartupPageFill(StartupPage& page, bool select) {
  const int previousRow = ListView_GetNextItem(page.list.list, -1, LVNI_SELECTED);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
  StartupTasksBuildList(1);
  page.rows = ItemRowsCopy();
  page.disabledTitles = DisabledTitleList();
  char disabledText[64] = "";
  LocalString(kDisabledTypeString, disabledText, sizeof disabledText);
  ListPageBeginFill(page.list);
  page.list.rows.resize(page.rows.size());
  for (std::size_t i = 0; i < page.rows.size(); ++i)
    StartupRowView(page, page.rows[i], disabledText, page.list.rows[i]);
  const int count = ListPageEndFill(page.list);
  const int row = select || previousRow < 0 ? 0 : std::min(previousRow, count - 1);
  ListPageSelectOnly(page.list, row);
  StartupQueueSelection(page);
  SetCursor(previous);
  return count;
}

void StartupPageSelectionChanged(StartupPage& page) {
  HWND window = page.window;
  const int entry = ListPageSelectedEntry(page.list);
  if (entry < 0 || static_cast<std::size_t>(entry) >= page.rows.size()) {
    StartupButtonShown(window, IDC_STARTUP_ENABLE, false, false);
    StartupButtonShown(window, IDC_STARTUP_DISABLE, false, false);
    StartupInfoBold(page, false);
    return;
  }
  const ItemRow& row = page.rows[static_cast<std::size_t>(entry)];
  char note[kPathSize] = "";
  StartupInfoBold(page, NoteFileFind(row.command.c_str(), note, sizeof note));
  EnableWindow(GetDlgItem(window, IDC_STARTUP_REMOVE), TRUE);
  const bool disabled = page.list.rows[static_cast<std::size_t>(entry)].disabled;
  StartupButtonShown(window, IDC_STARTUP_ENABLE, disabled, disabled);
  StartupButtonShown(window, IDC_STARTUP_DISABLE, !disabled, !disabled);
  StartupStatus(row);
  StartupLocationRules(window, row.code);
}

INT_PTR CALLBACK StartupPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  StartupPage& page = g_startupPage;
  if (PictureButtonMouse(window, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      StartupPageInit(page, window);
      return TRUE;
    case WM_NOTIFY:
      return StartupPageNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return StartupPageCommand(page, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != page.list.list) return FALSE;
      if (lParam == -1) StartupShowMenuAtSelection(page);
      else StartupContextMenu(page, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    case WM_DRAWITEM:
      return LinkButtonDraw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case ID_MSG_RELAYOUT:
      ListPageLayout(window, kLayout);
      return TRUE;
    case kSelectionMessage:
      page.selectionPending = false;
      StartupPageSelectionChanged(page);
      return TRUE;
    case WM_DESTROY:
      StartupPageDestroy(page);
      SheetPageClosed(window);
      return FALSE;
    default:
      return FALSE;
  }
}
