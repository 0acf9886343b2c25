#include "sheet.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "explorer_options.h"
#include "foundation/msgbox.h"
#include "foundation/placement.h"
#include "foundation/platform.h"
#include "foundation/scheme_sound.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "message_dialog.h"
#include "page_table.h"
#include "pages.h"
#include "picture_buttons.h"
#include "reports/report_start.h"
#include "resource.h"
#include "sheet_layout.h"
#include "text.h"

namespace {

inline constexpr char kPageCommandProperty[] = "KvPageCommand";
inline constexpr int kCaptionSize = 32;
inline constexpr int kTitleSize = 256;
inline constexpr int kPlacementSize = 32;
// The current page command while the sheet is being made, before any page is active.
inline constexpr int kOpening = 1;

struct SheetState {
  HWND frame;
  HWND sheet;
  HWND activePage;
  bool prepared;  // the first page has set the sheet up
  bool saved;     // placement and StartTab written, once, as the sheet went
  std::vector<PageRow> rows;
  char titles[kPageCount][kTitleSize];
  char caption[kCaptionSize];
};

SheetState g_sheet = {};

int PageCommandOf(HWND page) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(page, kPageCommandProperty)));
}

// The pages whose handler exists, in tab order; a page still to come has no tab.
std::vector<PROPSHEETPAGEA> SheetBuildPages() {
  std::vector<PROPSHEETPAGEA> pages;
  g_sheet.rows.clear();
  for (const PageRow& row : PagesPresent(!IsWin9xFamily())) {
    DLGPROC handler = PageProcFor(row.pageCommand);
    if (handler == nullptr) continue;
    char* title = g_sheet.titles[g_sheet.rows.size()];
    LocalString(row.titleStringId, title, kTitleSize);
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(row.dialogId);
    page.pfnDlgProc = handler;
    page.pszTitle = title;
    pages.push_back(page);
    g_sheet.rows.push_back(row);
  }
  return pages;
}

template <class Template>
void SheetAddStyles(Template* layout) {
  layout->style = (layout->style | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                   DS_3DLOOK | DS_SETFONT) & ~DS_CONTEXTHELP;
  layout->exStyle = (layout->exStyle | WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE) &
                    ~WS_EX_CONTEXTHELP;
}

// The extended template's header, as far as the styles.
struct TemplateExHead {
  WORD dlgVer;
  WORD signature;
  DWORD helpID;
  DWORD exStyle;
  DWORD style;
};

struct TemplateHead {
  DWORD style;
  DWORD exStyle;
};

// Before the sheet window exists: a sizing border makes it resizable.
int CALLBACK SheetCreationCallback(HWND, UINT message, LPARAM lParam) {
  if (message != PSCB_PRECREATE || lParam == 0) return 0;
  const auto* words = reinterpret_cast<const WORD*>(lParam);
  if (words[1] == 0xFFFF)
    SheetAddStyles(reinterpret_cast<TemplateExHead*>(lParam));
  else
    SheetAddStyles(reinterpret_cast<TemplateHead*>(lParam));
  return 0;
}

// The page the sheet closed on becomes the next start's page, and where it stood its place.
void SheetSaveOnce(HWND sheet) {
  if (g_sheet.saved) return;
  g_sheet.saved = true;
  g_pageCommand = g_sheet.activePage ? PageCommandOf(g_sheet.activePage) : g_pageCommand;
  if (g_pageCommand > kOpening) PlacementSave(sheet, kPlaceExplorer);
}

int StoredNumber(const char* name) {
  char text[kPlacementSize];
  if (SettingsReadString(HKEY_CURRENT_USER, kBaseKey, name, text, sizeof text) == 0) return 0;
  return ParseDecimal(text);
}

// The size comes back only where the sheet can be resized, never below its minimum nor
// beyond all monitors.
void SheetRestoreSize(HWND sheet) {
  const PlacementNames& names = kPlacementNames[kPlaceExplorer];
  const SIZE minimum = SheetMinimumSize();
  const int width = StoredNumber(names.width), height = StoredNumber(names.height);
  if (minimum.cx <= 0 || width <= 0 || height <= 0) return;
  const int widest = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int tallest = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (width > widest || height > tallest) return;
  SetWindowPos(sheet, nullptr, 0, 0, width > minimum.cx ? width : minimum.cx,
               height > minimum.cy ? height : minimum.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A sheet that grew since its place was stored (a larger font, more dots per inch) is moved
// back inside the work area of its monitor.
void SheetKeepOnMonitor(HWND sheet) {
  RECT rect = {};
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  if (!GetWindowRect(sheet, &rect) ||
      !GetMonitorInfoA(MonitorFromWindow(sheet, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const RECT& work = monitor.rcWork;
  int x = rect.left, y = rect.top;
  if (rect.right > work.right) x -= rect.right - work.right;
  if (rect.bottom > work.bottom) y -= rect.bottom - work.bottom;
  x = x < work.left ? work.left : x;
  y = y < work.top ? work.top : y;
  if (x != rect.left || y != rect.top)
    SetWindowPos(sheet, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SheetPrepare(HWND sheet) {
  g_sheet.prepared = true;
  const bool resizable = !IsWin9xFamily();
  SheetLayoutPrepare(sheet, g_sheet.rows, resizable, SheetSaveOnce);
  if (resizable) SheetRestoreSize(sheet);
  PlacementRestore(sheet, kPlaceExplorer);
  SheetKeepOnMonitor(sheet);
}

void SheetFixUp(HWND sheet) {
  const LONG_PTR exStyle = GetWindowLongPtrA(sheet, GWL_EXSTYLE);
  if (exStyle & WS_EX_CONTEXTHELP) {
    SetWindowLongPtrA(sheet, GWL_EXSTYLE, exStyle & ~WS_EX_CONTEXTHELP);
    SetWindowPos(sheet, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  if (HWND ok = GetDlgItem(sheet, IDOK)) {
    ShowWindow(ok, SW_HIDE);
    EnableWindow(ok, FALSE);
  }
  SetDialogText(sheet, IDS_CLOSE, IDCANCEL);
  SetWindowTextA(sheet, g_sheet.caption);
}

void SheetAttachPictures(HWND page) {
  if (GetDlgItem(page, IDC_HELP_PICTURE))
    PictureButtonAttach(page, IDC_HELP_PICTURE, PictureKind::Help, IDC_HELP_PICTURE);
  if (GetDlgItem(page, IDC_MONITOR_PICTURE))
    PictureButtonAttach(page, IDC_MONITOR_PICTURE, PictureKind::Monitor, IDC_MONITOR_PICTURE);
}

// A command for the sheet that is open raises it; the page shown stays.
void SheetRaise(int pageCommand) {
  HWND sheet = g_sheet.sheet;
  if (sheet == nullptr) return;
  if (pageCommand == ID_PAGE_COOKIES)
    SetWindowPos(sheet, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  else if (g_sheet.activePage && PageCommandOf(g_sheet.activePage) == ID_PAGE_ACTIVE_TASKS)
    SendMessageA(g_sheet.activePage, WM_COMMAND, ID_PAGE_ACTIVE_TASKS, 0);
  if (IsIconic(sheet)) ShowWindow(sheet, SW_RESTORE);
  BringWindowToTop(sheet);
  SetForegroundWindow(sheet);
}

void SheetSetCaption(HWND frame) {
  if (LocalString(IDS_EXPLORER_CAPTION, g_sheet.caption, kCaptionSize) == 0) return;
  MessageCaptionSet(g_sheet.caption);
  SetWindowTextA(frame, g_sheet.caption);
}

INT_PTR SheetShow(HWND frame, int pageCommand) {
  std::vector<PROPSHEETPAGEA> pages = SheetBuildPages();
  if (pages.empty()) return -1;
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
  if (!IsWin9xFamily()) header.dwFlags |= PSH_USECALLBACK;
  header.hwndParent = frame;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = g_sheet.caption;
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = static_cast<UINT>(PageStartIndex(g_sheet.rows, pageCommand));
  header.ppsp = pages.data();
  header.pfnCallback = SheetCreationCallback;
  return PropertySheetA(&header);
}

}  // namespace

void OpenTabbedWindow(HWND frame, int pageCommand) {
  if (TabbedWindowOpen()) {
    SheetRaise(pageCommand);
    return;
  }
  g_sheet = {};
  g_sheet.frame = frame;
  g_pageCommand = kOpening;
  SheetSetCaption(frame);
  SchemeSoundPlay(kSchemeSoundOpen, g_explorerOptions.value[kOptSound], false);
  ReportScanLogAtStart(frame);
  const INT_PTR shown = SheetShow(frame, pageCommand);
  g_pageCommand = 0;
  g_sheet.sheet = nullptr;
  g_sheet.activePage = nullptr;
  if (shown < 0) {
    // The explorer stays, unseen, until another command closes it.
    ShowMessageDialog(frame, IDS_SYSTEM_ERROR);
    return;
  }
  PostMessageA(frame, WM_CLOSE, 0, 0);
}

bool TabbedWindowOpen() { return g_pageCommand > 0; }

void TabbedWindowClose() {
  if (g_sheet.sheet != nullptr) PropSheet_PressButton(g_sheet.sheet, PSBTN_CANCEL);
}

void SheetPageInit(HWND page, int pageCommand) {
  SetPropA(page, kPageCommandProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pageCommand)));
  g_pageCommand = pageCommand;
  g_sheet.sheet = GetParent(page);
  if (!g_sheet.prepared) SheetPrepare(g_sheet.sheet);
}

void CreateActivePage(HWND page) {
  HWND sheet = GetParent(page);
  g_sheet.sheet = sheet;
  g_sheet.activePage = page;
  g_pageCommand = PageCommandOf(page);
  SheetFixUp(sheet);
  SheetAttachPictures(page);
  SetStatusText("");
  SheetLayoutApply(sheet, page);
}

void CleanupActivePage(HWND page) {
  PictureButtonDetach(page, IDC_HELP_PICTURE);
  PictureButtonDetach(page, IDC_MONITOR_PICTURE);
  SetStatusText("");
}

// The Close button asks the sheet to close; the pages' destruction that follows finds the
// sheet already saved and going.
void SheetPageClosed(HWND page) {
  if (!g_sheet.saved) {
    TabbedWindowClose();
    return;
  }
  RemovePropA(page, kPageCommandProperty);
  if (page == g_sheet.activePage) g_sheet.activePage = nullptr;
}

HWND SheetWindow() { return g_sheet.sheet; }

HWND ActivePage() { return g_sheet.activePage; }

int SheetTabRows() { return SheetLayoutTabRows(); }

void SetStatusText(const char* text) {
  if (HWND bar = SheetStatusBar())
    SendMessageA(bar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}
