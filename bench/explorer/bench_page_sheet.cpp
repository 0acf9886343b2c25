#include "bench_page_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "resource.h"

HWND BenchPageOpen(int dialogId, DLGPROC proc) {
  PROPSHEETPAGEA page = {};
  page.dwSize = sizeof page;
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(dialogId);
  page.pfnDlgProc = proc;
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
  header.hInstance = page.hInstance;
  header.pszCaption = "Korvane bench";
  header.nPages = 1;
  header.ppsp = &page;
  const INT_PTR sheet = PropertySheetA(&header);
  return sheet > 0 ? reinterpret_cast<HWND>(sheet) : nullptr;
}

HWND BenchPageList(HWND sheet) {
  HWND page = sheet ? PropSheet_GetCurrentPageHwnd(sheet) : nullptr;
  return page ? GetDlgItem(page, IDC_PAGE_LIST) : nullptr;
}

int BenchPageRows(HWND sheet) {
  HWND list = BenchPageList(sheet);
  return list ? ListView_GetItemCount(list) : -1;
}

void BenchPageClose(HWND sheet) {
  if (sheet == nullptr) return;
  DestroyWindow(sheet);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}
