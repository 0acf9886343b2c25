#include "sheet_layout.h"

#include <windows.h>
#include <commctrl.h>

#include "resource.h"

namespace {

inline constexpr UINT_PTR kSizingSubclass = 1;
// Posted to the sheet: lay out again once the sheet has placed the page it just activated.
inline constexpr UINT kLayoutLater = WM_APP + 1;
// The minimum tracking size is the client size less these, taken when the first page starts.
inline constexpr int kMinimumLessWidth = 10;
inline constexpr int kMinimumLessHeight = 32;

struct LayoutState {
  bool resizable;
  SIZE minimum;
  HWND statusBar;
  HIMAGELIST tabIcons;
  int tabRows;
  HWND activePage;
  void (*onDestroy)(HWND);
};

LayoutState g_layout = {};

int StatusBarHeight() {
  if (g_layout.statusBar == nullptr) return 0;
  SendMessageA(g_layout.statusBar, WM_SIZE, 0, 0);
  RECT bar = {};
  if (!GetWindowRect(g_layout.statusBar, &bar)) return 0;
  return bar.bottom - bar.top;
}

RECT ChildRect(HWND parent, HWND child) {
  RECT rect = {};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ResizeChild(HWND child, int width, int height) {
  SetWindowPos(child, nullptr, 0, 0, width > 0 ? width : 0, height > 0 ? height : 0,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The tabs keep their left margin on every side but the bottom, where the status bar sits.
RECT LayoutTabs(HWND sheet, HWND tab) {
  RECT client = {};
  GetClientRect(sheet, &client);
  const RECT placed = ChildRect(sheet, tab);
  const int margin = placed.left;
  const int width = client.right - 2 * margin;
  const int height = client.bottom - placed.top - margin - StatusBarHeight();
  ResizeChild(tab, width, height);
  g_layout.tabRows = TabCtrl_GetRowCount(tab) > 1 ? 2 : 1;
  RECT display = {0, 0, width, height};
  TabCtrl_AdjustRect(tab, FALSE, &display);
  OffsetRect(&display, placed.left, placed.top);
  return display;
}

void LayoutPage(HWND page, const RECT& display) {
  if (page == nullptr || !IsWindow(page)) return;
  SetWindowPos(page, nullptr, display.left, display.top, display.right - display.left,
               display.bottom - display.top, SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(page, ID_MSG_RELAYOUT, 0, 0);
}

void LayoutNow(HWND sheet) {
  HWND tab = PropSheet_GetTabControl(sheet);
  if (tab == nullptr) return;
  const RECT display = LayoutTabs(sheet, tab);
  // Every page has its own Close button; the sheet's stays out of sight.
  if (HWND close = GetDlgItem(sheet, IDCANCEL)) ShowWindow(close, SW_HIDE);
  LayoutPage(g_layout.activePage, display);
}

void AddTabIcons(HWND sheet, std::span<const PageRow> rows) {
  HWND tab = PropSheet_GetTabControl(sheet);
  const int size = GetSystemMetrics(SM_CXSMICON);
  g_layout.tabIcons = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK,
                                       static_cast<int>(rows.size()), 0);
  if (tab == nullptr || g_layout.tabIcons == nullptr) return;
  const int tabs = TabCtrl_GetItemCount(tab);
  for (int i = 0; i < tabs && i < static_cast<int>(rows.size()); ++i) {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                               MAKEINTRESOURCEA(rows[i].tabIconId), IMAGE_ICON,
                                               size, size, 0));
    if (icon == nullptr) continue;
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    item.iImage = ImageList_AddIcon(g_layout.tabIcons, icon);
    DestroyIcon(icon);
    if (item.iImage >= 0) TabCtrl_SetItem(tab, i, &item);
  }
  TabCtrl_SetImageList(tab, g_layout.tabIcons);
}

void SheetDestroyed(HWND sheet) {
  if (g_layout.onDestroy != nullptr) g_layout.onDestroy(sheet);
  if (g_layout.tabIcons != nullptr) ImageList_Destroy(g_layout.tabIcons);
  g_layout = {};
}

LRESULT CALLBACK SizingProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  switch (message) {
    case WM_GETMINMAXINFO: {
      const LRESULT result = DefSubclassProc(sheet, message, wParam, lParam);
      if (g_layout.resizable) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {g_layout.minimum.cx, g_layout.minimum.cy};
      }
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = DefSubclassProc(sheet, message, wParam, lParam);
      if (g_layout.resizable && wParam != SIZE_MINIMIZED) LayoutNow(sheet);
      return result;
    }
    case kLayoutLater:
      if (g_layout.resizable) LayoutNow(sheet);
      return 0;
    case WM_DESTROY:
      SheetDestroyed(sheet);
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(sheet, SizingProc, kSizingSubclass);
      break;
  }
  return DefSubclassProc(sheet, message, wParam, lParam);
}

bool AddStatusBar(HWND sheet) {
  g_layout.statusBar =
      CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0,
                      0, sheet, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_STATUS_BAR)),
                      GetModuleHandleA(nullptr), nullptr);
  return g_layout.statusBar != nullptr;
}

}  // namespace

bool SheetLayoutPrepare(HWND sheet, std::span<const PageRow> rows, bool resizable,
                        void (*onDestroy)(HWND sheet)) {
  g_layout = {};
  g_layout.onDestroy = onDestroy;
  g_layout.tabRows = 1;
  if (!SetWindowSubclass(sheet, SizingProc, kSizingSubclass, 0)) return false;
  g_layout.resizable = resizable;
  if (!resizable) return true;
  RECT client = {};
  GetClientRect(sheet, &client);
  g_layout.minimum = {client.right - kMinimumLessWidth, client.bottom - kMinimumLessHeight};
  AddTabIcons(sheet, rows);
  return AddStatusBar(sheet);
}

SIZE SheetMinimumSize() { return g_layout.minimum; }

void SheetLayoutApply(HWND sheet, HWND activePage) {
  g_layout.activePage = activePage;
  if (!g_layout.resizable) return;
  LayoutNow(sheet);
  PostMessageA(sheet, kLayoutLater, 0, 0);
}

HWND SheetStatusBar() { return g_layout.statusBar; }

int SheetLayoutTabRows() { return g_layout.tabRows; }
