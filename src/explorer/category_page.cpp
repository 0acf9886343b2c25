// The machinery every category page shares: its set-up from the page's table, activation,
// the fill, the selection, notifications and the relayout.
#include "category_page.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "category_page_commands.h"
#include "command_name_text.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/platform.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "paths_text.h"
#include "picture_buttons.h"
#include "records/note_store.h"
#include "resource.h"
#include "sheet.h"
#include "startup_questions.h"
#include "text.h"

namespace {

// Posted while the list reports its selection changes, so the buttons follow once per burst.
constexpr UINT kSelectionMessage = WM_APP + 21;
constexpr int kHelpLabelString = 793;
constexpr int kMonitorLabelString = 794;

void CategoryPageIcon(HWND window, int icon) {
  const int size = GetSystemMetrics(SM_CXICON);
  HICON handle = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon),
                                               IMAGE_ICON, size, size, LR_SHARED));
  if (handle)
    SendDlgItemMessageA(window, IDC_PAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(handle), 0);
}

HFONT CategoryBoldFont(HWND window) {
  LOGFONTA font = {};
  HFONT base = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (base == nullptr || GetObjectA(base, sizeof font, &font) == 0) return nullptr;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&font);
}

void CategoryInfoBold(CategoryPage& page, bool bold) {
  HFONT font = bold && page.boldFont
                   ? page.boldFont
                   : reinterpret_cast<HFONT>(SendMessageA(page.window, WM_GETFONT, 0, 0));
  SendDlgItemMessageA(page.window, IDC_PAGE_INFO, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CategoryShowChecks(const CategoryPage& page) {
  for (int i = 0; i < page.traits->checkCount; ++i) {
    const CategoryCheck& check = page.traits->checks[i];
    const OptionRow& option = OptionRowFor(check.option);
    CheckDlgButton(page.window, check.control,
                   OptionGet(option.name, option.explorerDefault) > 0 ? BST_CHECKED : BST_UNCHECKED);
  }
}

void CategoryPageInit(CategoryPage& page, const CategoryPageTraits& traits, HWND window) {
  page.traits = &traits;
  page.window = window;
  page.filled = false;
  for (int i = 0; i < traits.textCount; ++i)
    SetDialogText(window, traits.texts[i].string, traits.texts[i].control);
  for (int i = 0; i < traits.checkCount; ++i)
    SetDialogText(window, traits.checks[i].string, traits.checks[i].control);
  if (GetDlgItem(window, IDC_HELP_LABEL)) SetDialogText(window, kHelpLabelString, IDC_HELP_LABEL);
  if (GetDlgItem(window, IDC_MONITOR_LABEL))
    SetDialogText(window, kMonitorLabelString, IDC_MONITOR_LABEL);
  SetDialogText(window, IDS_INFO_BUTTON, IDC_PAGE_INFO);
  SetDialogText(window, IDS_CLOSE, IDC_PAGE_CLOSE);
  if (IsWin9xFamily()) ShowWindow(GetDlgItem(window, IDC_PAGE_CLOSE), SW_HIDE);
  CategoryPageIcon(window, traits.pageIcon);
  page.boldFont = CategoryBoldFont(window);
  ListPageInit(page.list, window, traits.pageCommand, traits.sortOption, traits.columnTitles,
               traits.columnCount, traits.sortKey, true);
  SheetPageInit(window, traits.pageCommand);
}

void CategoryPageActivate(CategoryPage& page) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // the hourglass
  StartupQuestionsInstall(page.window);
  CategoryShowChecks(page);
  if (!(page.traits->keepListOnActivate && page.filled)) CategoryPageFill(page);
  CreateActivePage(page.window);
  CategoryShowMonitorPicture(page);
  SetCursor(previous);
}

// The working list lives only while the page shows, unless the page keeps it.
void CategoryPageDeactivate(CategoryPage& page) {
  CleanupActivePage(page.window);
  if (page.traits->keepListOnActivate) return;
  ListPageBeginFill(page.list);
  ListPageEndFill(page.list);
  page.rows.clear();
  page.filled = false;
}

void CategoryPageDestroy(CategoryPage& page) {
  ListPageDestroy(page.list);
  page.rows.clear();
  if (page.boldFont) DeleteObject(page.boldFont);
  page.boldFont = nullptr;
  page.window = nullptr;
  page.filled = false;
}

void CategoryQueueSelection(CategoryPage& page) {
  if (page.selectionPending) return;
  page.selectionPending = PostMessageA(page.window, kSelectionMessage, 0, 0) != FALSE;
}

void CategorySelectionChanged(CategoryPage& page) {
  const int entry = ListPageSelectedEntry(page.list);
  const ItemRow* row = entry >= 0 && static_cast<std::size_t>(entry) < page.rows.size()
                           ? &page.rows[static_cast<std::size_t>(entry)]
                           : nullptr;
  std::string note;
  CategoryInfoBold(page, row != nullptr && NoteFind(row->command.c_str(), row->title.c_str(), note));
  if (page.traits->selectionChanged) page.traits->selectionChanged(page, row);
}

void CategoryShowMenuAtSelection(CategoryPage& page) {
  const int row = ListView_GetNextItem(page.list.list, -1, LVNI_SELECTED);
  if (row < 0) return;
  RECT box = {};
  ListView_GetItemRect(page.list.list, row, &box, LVIR_LABEL);
  POINT at = {box.left, box.bottom};
  ClientToScreen(page.list.list, &at);
  CategoryContextMenu(page, at);
}

bool CategoryListNotify(CategoryPage& page, const NMHDR* header) {
  switch (header->code) {
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:
    case NM_CLICK:
      CategoryQueueSelection(page);
      return true;
    case NM_DBLCLK: CategoryCommonCommand(page, ID_MENU_VELT_INFO); return true;
    case NM_RETURN: CategoryInfo(page); return true;
    case LVN_KEYDOWN:
      switch (reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey) {
        case VK_F5: CategoryPageFill(page); return true;
        case VK_DELETE: return page.traits->command(page, IDC_PAGE_REMOVE);
        default: return false;
      }
    default:
      return false;
  }
}

INT_PTR CategoryPageNotify(CategoryPage& page, const NMHDR* header) {
  LRESULT result = 0;
  if (ListPageNotify(page.list, header, result)) {
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, result);
    return TRUE;
  }
  if (header->hwndFrom == page.list.list) return CategoryListNotify(page, header) ? TRUE : FALSE;
  if (header->code == PSN_SETACTIVE) {
    CategoryPageActivate(page);
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  if (header->code == PSN_KILLACTIVE) {
    CategoryPageDeactivate(page);
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, FALSE);
    return TRUE;
  }
  return FALSE;
}

bool CategoryCheckClicked(CategoryPage& page, int control) {
  for (int i = 0; i < page.traits->checkCount; ++i) {
    const CategoryCheck& check = page.traits->checks[i];
    if (check.control != control) continue;
    const bool on = IsDlgButtonChecked(page.window, control) == BST_CHECKED;
    if (!OptionSet(OptionRowFor(check.option).name, on ? 1 : 0))
      TraceNote("category page", "check box state not stored");
    CategoryPageFill(page);
    return true;
  }
  return false;
}

// The second header line keeps the first one's width.
void CategoryLayout(CategoryPage& page) {
  ListPageLayout(page.window, page.traits->layout);
  if (page.traits->secondHeader == 0) return;
  HWND first = GetDlgItem(page.window, page.traits->layout.header);
  HWND second = GetDlgItem(page.window, page.traits->secondHeader);
  RECT a = {}, b = {};
  if (!first || !second || !GetWindowRect(first, &a) || !GetWindowRect(second, &b)) return;
  MapWindowPoints(nullptr, page.window, reinterpret_cast<POINT*>(&b), 2);
  SetWindowPos(second, nullptr, b.left, b.top, a.right - a.left, b.bottom - b.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CategoryCommand(CategoryPage& page, WPARAM wParam) {
  int command = LOWORD(wParam);
  if (HIWORD(wParam) == 2) command = IDOK;
  if (CategoryCheckClicked(page, command)) return true;
  if (page.traits->command(page, command)) return true;
  return CategoryCommonCommand(page, command);
}

}  // namespace

INT_PTR CategoryPageProc(CategoryPage& page, const CategoryPageTraits& traits, HWND window,
                         UINT message, WPARAM wParam, LPARAM lParam) {
  if (PictureButtonMouse(window, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      CategoryPageInit(page, traits, window);
      return TRUE;
    case WM_NOTIFY:
      return CategoryPageNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return CategoryCommand(page, wParam) ? TRUE : FALSE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != page.list.list) return FALSE;
      if (lParam == -1) CategoryShowMenuAtSelection(page);
      else CategoryContextMenu(page, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    case WM_DRAWITEM:
      return LinkButtonDraw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case ID_MSG_RELAYOUT:
      CategoryLayout(page);
      return TRUE;
    case kSelectionMessage:
      page.selectionPending = false;
      CategorySelectionChanged(page);
      return TRUE;
    case WM_DESTROY:
      CategoryPageDestroy(page);
      SheetPageClosed(window);
      return FALSE;
    default:
      return FALSE;
  }
}

int CategoryPageFill(CategoryPage& page) {
  const int previousRow = ListView_GetNextItem(page.list.list, -1, LVNI_SELECTED);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
  ListPageBeginFill(page.list);
  page.rows.clear();
  page.traits->fill(page);
  page.list.rows.resize(page.rows.size());
  const int count = ListPageEndFill(page.list);
  page.filled = true;
  ListPageSelectOnly(page.list, previousRow < 0 ? 0 : std::min(previousRow, count - 1));
  CategoryQueueSelection(page);
  SetCursor(previous);
  return count;
}

std::vector<ItemRow> CategoryPageSelection(CategoryPage& page, int noSelectionString) {
  std::vector<ItemRow> rows;
  for (int entry : ListPageSelectedEntries(page.list))
    if (entry >= 0 && static_cast<std::size_t>(entry) < page.rows.size())
      rows.push_back(page.rows[static_cast<std::size_t>(entry)]);
  if (rows.empty()) CategorySayNoSelection(page, noSelectionString);
  return rows;
}

int CategoryPageSelectedEntry(CategoryPage& page, int noSelectionString) {
  const int entry = ListPageSelectedEntry(page.list);
  if (entry >= 0 && static_cast<std::size_t>(entry) < page.rows.size()) return entry;
  CategorySayNoSelection(page, noSelectionString);
  return -1;
}

const ListFileFacts& CategoryPageFacts(CategoryPage& page, ListRowView& view, const ItemRow& row,
                                       const char* detectedCategory) {
  return ListPageRowFacts(page.list, view, row.command.c_str(), detectedCategory, row.code);
}

std::string CategoryCommandShown(const std::string& command) {
  return command.substr(CommandFileNameOffset(command));
}

bool CategoryAsk(HWND owner, int stringId, const char* text, UINT icon) {
  char format[2048] = "";
  LocalString(stringId, format, sizeof format);
  // The text may be replaced through the registry: filled by hand, never used as a format.
  std::string message(format);
  const std::size_t place = message.find("%s");
  if (place != std::string::npos) message.replace(place, 2, text ? text : "");
  return ShowMessage(owner, message.c_str(), MB_YESNO | icon) == IDYES;
}
