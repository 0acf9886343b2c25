// The about page: the program's name and build, the online lookup of a program file by
// name, the maker's news and the check for a newer version.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "explorer_art.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "lookup/info.h"
#include "lookup/info_delivery.h"
#include "lookup_text.h"
#include "pages.h"
#include "picture_buttons.h"
#include "resource.h"
#include "sheet.h"
#include "text.h"
#include "velt_text.h"

namespace {

inline constexpr int kVeltLookupKind = 450;
inline constexpr int kSearchTextSize = 260;
inline constexpr int kIdentitySize = 1024;
inline constexpr int kStoredAddressSize = 257;
inline constexpr int kAddressSize = 1400;
inline constexpr int kLanguageCodeSize = 16;
inline constexpr char kTitlePrefix[] = "Korvane VELT v ";
inline constexpr char kVersionAddressValue[] = "GetVersion";
inline constexpr UINT_PTR kSearchEnterSubclass = 1;
// Results up to 32 are the shell's error codes.
inline constexpr long long kShellOpened = 32;

void VeltOpenAddress(const std::string& address) {
  if (InfoShellOpen(address.c_str()) <= kShellOpened) InfoRunInternetExplorer(address.c_str());
}

void VeltShowNews() {
  char base[kLookupBaseMax + 1];
  LookupBaseAddress(base, sizeof base);
  VeltOpenAddress(VeltNewsAddress(base));
}

void VeltCheckVersion() {
  char stored[kStoredAddressSize] = "", versionPage[kAddressSize] = "";
  SettingsReadString(HKEY_LOCAL_MACHINE, kBaseKey, kVersionAddressValue, stored, sizeof stored);
  LocalString(IDS_VERSION_PAGE, versionPage, sizeof versionPage);
  char build[kIdentitySize] = "", code[kLanguageCodeSize] = "";
  ProgramIdentity(build, sizeof build);
  LocalString(IDS_LANGUAGE_CODE, code, sizeof code);
  VeltOpenAddress(VeltVersionAddress(stored, versionPage, build, code));
}

void VeltSearch(HWND page) {
  char name[kSearchTextSize] = "";
  GetDlgItemTextA(page, IDC_VELT_SEARCH_TEXT, name, sizeof name);
  if (SkipBlanks(name).empty()) {
    SetFocus(GetDlgItem(page, IDC_VELT_SEARCH_TEXT));
    return;
  }
  ShowInfo(kVeltLookupKind, name, name);
}

// Enter in the search box searches; the sheet would otherwise take it for its own button.
LRESULT CALLBACK SearchEnterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
          reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
        return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        PostMessageA(GetParent(edit), WM_COMMAND, MAKEWPARAM(IDC_VELT_SEARCH, BN_CLICKED), 0);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == '\r') return 0;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, SearchEnterProc, kSearchEnterSubclass);
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

void VeltSetTexts(HWND page) {
  char identity[kIdentitySize] = "";
  ProgramIdentity(identity, sizeof identity);
  const std::string title = std::string(kTitlePrefix) + identity;
  SetDlgItemTextA(page, IDC_VELT_TITLE, title.c_str());
  if (HFONT font = ExplorerFont(kFontTitle))
    SendDlgItemMessageA(page, IDC_VELT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetDialogText(page, IDS_VELT_TEXT1, IDC_VELT_TEXT1);
  SetDialogText(page, IDS_VELT_TEXT2, IDC_VELT_TEXT2);
  SetDialogText(page, IDS_SEARCH_LABEL, IDC_VELT_SEARCH_LABEL);
  SetDialogText(page, IDS_SEARCH_BUTTON, IDC_VELT_SEARCH);
  SetDialogText(page, IDS_VERSION_CHECK, IDC_VELT_CHECK_VERSION);
  SetDialogText(page, IDS_VELT_NEWS, IDC_VELT_NEWS);
  SetDialogText(page, IDS_HELP_LABEL, IDC_HELP_LABEL);
  SetDialogText(page, IDS_CLOSE, IDC_PAGE_CLOSE);
  SendDlgItemMessageA(page, IDC_VELT_SEARCH_TEXT, EM_LIMITTEXT, kSearchTextSize - 1, 0);
}

void VeltInit(HWND page) {
  SheetPageInit(page, ID_PAGE_VELT);
  VeltSetTexts(page);
  SetWindowSubclass(GetDlgItem(page, IDC_VELT_SEARCH_TEXT), SearchEnterProc,
                    kSearchEnterSubclass, 0);
}

RECT ControlRect(HWND page, int control) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(page, control), &rect);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveControl(HWND page, int control, int x, int y) {
  SetWindowPos(GetDlgItem(page, control), nullptr, x, y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void StretchTo(HWND page, int control, int right) {
  const RECT rect = ControlRect(page, control);
  const int width = right - rect.left;
  if (width <= 0) return;
  SetWindowPos(GetDlgItem(page, control), nullptr, 0, 0, width, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Texts take the page's width; the help picture keeps to the top right corner and Close to
// the bottom right, each at the distance from the page's edge the title keeps on its left.
void VeltLayout(HWND page) {
  RECT client = {};
  GetClientRect(page, &client);
  const int margin = ControlRect(page, IDC_PAGE_ICON).left;
  const RECT help = ControlRect(page, IDC_HELP_PICTURE);
  const RECT label = ControlRect(page, IDC_HELP_LABEL);
  const RECT close = ControlRect(page, IDC_PAGE_CLOSE);
  const int helpLeft = client.right - margin - (label.right - label.left);
  MoveControl(page, IDC_HELP_LABEL, helpLeft, label.top);
  MoveControl(page, IDC_HELP_PICTURE,
              helpLeft + ((label.right - label.left) - (help.right - help.left)) / 2, help.top);
  StretchTo(page, IDC_VELT_TITLE, helpLeft - margin);
  StretchTo(page, IDC_VELT_TEXT1, client.right - margin);
  StretchTo(page, IDC_VELT_TEXT2, client.right - margin);
  MoveControl(page, IDC_PAGE_CLOSE, client.right - margin - (close.right - close.left),
              client.bottom - margin - (close.bottom - close.top));
  InvalidateRect(page, nullptr, TRUE);
}

void VeltCommand(HWND page, int command) {
  switch (command) {
    case IDC_VELT_NEWS: VeltShowNews(); break;
    case IDC_VELT_SEARCH: VeltSearch(page); break;
    case IDC_VELT_CHECK_VERSION: VeltCheckVersion(); break;
    case IDC_HELP_PICTURE: ShowHelp(ID_PAGE_VELT); break;
    case IDC_PAGE_CLOSE: SheetPageClosed(page); break;
    default: break;
  }
}

INT_PTR VeltNotify(HWND page, const NMHDR* header) {
  switch (header->code) {
    case PSN_SETACTIVE:
      CreateActivePage(page);
      SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
      return TRUE;
    case PSN_KILLACTIVE:
      CleanupActivePage(page);
      SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR CALLBACK VeltPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (PictureButtonMouse(page, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      VeltInit(page);
      return TRUE;
    case WM_NOTIFY:
      return VeltNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      VeltCommand(page, LOWORD(wParam));
      return TRUE;
    case WM_DRAWITEM:
      return LinkButtonDraw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HELP:
      ShowHelp(ID_PAGE_VELT);
      return TRUE;
    case ID_MSG_RELAYOUT:
      VeltLayout(page);
      return TRUE;
    case WM_DESTROY:
      SheetPageClosed(page);
      return FALSE;
    default:
      return FALSE;
  }
}
