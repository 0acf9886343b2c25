// The Cookies page: the cookie filters ("nuts"), the browser whose cookies are shown, its
// cookie folder, and the cookie viewer. Its filter box is 1004, the other pages' Close, so
// the page answers its commands itself and never closes on them.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/cookies_nuts.h"
#include "cookie_viewer.h"
#include "cookies_text.h"
#include "foundation/handles.h"
#include "foundation/msgbox.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "lookup/info.h"
#include "message_dialog.h"
#include "options_store.h"
#include "pages.h"
#include "picture_buttons.h"
#include "resource.h"
#include "sheet.h"
#include "sweep_time_dialog.h"

namespace {

constexpr std::size_t kFiltersMax = 256;
constexpr int kFilterTextMax = 128;
constexpr int kFilterLimitMessage = 729;
constexpr int kFilterRefused = 1302;
constexpr int kNoCookieSelected = 58;
constexpr int kChooseFolderTitle = 799;
constexpr int kNutsSweepLabel = 789;
constexpr char kBrowserOption[] = "Browser";
constexpr int kBrowserIE = 1;
constexpr int kBrowserMozilla = 6;

struct CookiesPage {
  HWND window = nullptr;
  HWND list = nullptr;
  HIMAGELIST images = nullptr;
  HFONT boldFont = nullptr;
  std::vector<std::string> filters;
};

CookiesPage g_cookiesPage;

bool CookiesMozillaChosen() {
  return CookieKindOfBrowser(OptionGet(kBrowserOption, kBrowserIE)) == kCookieKindMozilla;
}

void CookiesShowFolder(CookiesPage& page, bool mozilla) {
  char folder[kPathSize] = "";
  if (mozilla) FindMozillaProfileFolder(folder, sizeof folder);
  else FindIECookieFolder(folder, sizeof folder);
  SetDlgItemTextA(page.window, IDC_COOKIES_FOLDER, folder);
}

// Without a Mozilla folder there is nothing to choose: Internet Explorer it is.
void CookiesShowBrowser(CookiesPage& page) {
  const bool present = MozillaFolderPresent();
  const bool mozilla = present && CookiesMozillaChosen();
  CheckRadioButton(page.window, IDC_COOKIES_IE, IDC_COOKIES_MOZILLA,
                   mozilla ? IDC_COOKIES_MOZILLA : IDC_COOKIES_IE);
  EnableWindow(GetDlgItem(page.window, IDC_COOKIES_IE), present);
  ShowWindow(GetDlgItem(page.window, IDC_COOKIES_MOZILLA), present ? SW_SHOW : SW_HIDE);
  CookieKindSet(mozilla ? kCookieKindMozilla : kCookieKindIE);
  CookiesShowFolder(page, mozilla);
}

void CookiesFillFilters(CookiesPage& page) {
  page.filters = NutsTexts(kNutAlways);
  SendMessageA(page.list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(page.list);
  for (std::size_t i = 0; i < page.filters.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = page.filters[i].data();
    item.iImage = 0;
    item.lParam = static_cast<LPARAM>(i);
    if (ListView_InsertItem(page.list, &item) < 0) TraceNote("cookies page", "filter not listed");
  }
  SendMessageA(page.list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(page.list, nullptr, TRUE);
}

void CookiesListSetUp(CookiesPage& page) {
  page.list = GetDlgItem(page.window, IDC_PAGE_LIST);
  ListView_SetExtendedListViewStyle(page.list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  RECT area = {};
  GetClientRect(page.list, &area);
  LVCOLUMNA column = {};
  column.mask = LVCF_WIDTH;
  column.cx = area.right - area.left - GetSystemMetrics(SM_CXVSCROLL);
  if (ListView_InsertColumn(page.list, 0, &column) < 0) TraceNote("cookies page", "no column");
  page.images = ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                 ILC_COLOR32 | ILC_MASK, 1, 1);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TAB_COOKIES),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (page.images && icon) ImageList_AddIcon(page.images, icon);
  if (icon) DestroyIcon(icon);
  if (page.images) ListView_SetImageList(page.list, page.images, LVSIL_SMALL);
}

void CookiesPageIcon(HWND window) {
  const int size = GetSystemMetrics(SM_CXICON);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                             MAKEINTRESOURCEA(IDI_TAB_COOKIES), IMAGE_ICON, size,
                                             size, LR_SHARED));
  if (icon) SendDlgItemMessageA(window, IDC_PAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

HFONT CookiesBoldFont(HWND window) {
  LOGFONTA font = {};
  HFONT base = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (base == nullptr || GetObjectA(base, sizeof font, &font) == 0) return nullptr;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&font);
}

void CookiesPageInit(CookiesPage& page, HWND window) {
  page.window = window;
  const struct {
    int string, control;
  } kTexts[] = {{771, IDC_COOKIES_TEXT1}, {772, IDC_COOKIES_TEXT2}, {773, IDC_COOKIES_TEXT3},
                {967, IDC_COOKIES_FILTERS_LABEL}, {311, IDC_COOKIES_ADD}, {302, IDC_COOKIES_REMOVE},
                {774, IDC_COOKIES_VIEW}, {796, IDC_COOKIES_ALWAYS_VIEW}, {798, IDC_COOKIES_IE},
                {797, IDC_COOKIES_MOZILLA}, {793, IDC_HELP_LABEL}, {794, IDC_MONITOR_LABEL}};
  for (const auto& text : kTexts) SetDialogText(window, text.string, text.control);
  CookiesPageIcon(window);
  page.boldFont = CookiesBoldFont(window);
  if (page.boldFont)
    SendDlgItemMessageA(window, IDC_COOKIES_FILTERS_LABEL, WM_SETFONT,
                        reinterpret_cast<WPARAM>(page.boldFont), FALSE);
  SendDlgItemMessageA(window, IDC_COOKIES_FILTER, EM_LIMITTEXT, kFilterTextMax, 0);
  CookiesListSetUp(page);
  SheetPageInit(window, ID_PAGE_COOKIES);
  CookiesShowBrowser(page);
  // The stored choice: the explorer may have opened with the viewer asked for once.
  const OptionRow& viewCookies = OptionRowFor(kOptViewCookies);
  CheckDlgButton(window, IDC_COOKIES_ALWAYS_VIEW,
                 OptionGet(viewCookies.name, viewCookies.explorerDefault) > 0 ? BST_CHECKED
                                                                             : BST_UNCHECKED);
}

void CookiesShowMonitor(CookiesPage& page) {
  PictureButtonSetMonitor(page.window, IDC_MONITOR_PICTURE,
                          OptionGet(OptionRowFor(kOptNuts).name, 0) > 0, false);
}

void CookiesPageActivate(CookiesPage& page) {
  CookiesFillFilters(page);
  CreateActivePage(page.window);
  PictureButtonAttach(page.window, IDC_COOKIES_FOLDER_PICTURE, PictureKind::Folder,
                      IDC_COOKIES_FOLDER_PICTURE);
  CookiesShowBrowser(page);
  CookiesShowMonitor(page);
  if (OptionsStoreValue(kOptViewCookies) > 0) PostMessageA(page.window, WM_COMMAND, IDC_COOKIES_VIEW, 0);
}

void CookiesPageDeactivate(CookiesPage& page) {
  PictureButtonDetach(page.window, IDC_COOKIES_FOLDER_PICTURE);
  CleanupActivePage(page.window);
}

void CookiesPageDestroy(CookiesPage& page) {
  if (page.list) ListView_SetImageList(page.list, nullptr, LVSIL_SMALL);
  if (page.images) ImageList_Destroy(page.images);
  if (page.boldFont) DeleteObject(page.boldFont);
  page = {};
}

void CookiesAddFilter(CookiesPage& page) {
  char text[kFilterTextMax + 1] = "";
  GetDlgItemTextA(page.window, IDC_COOKIES_FILTER, text, sizeof text);
  if (text[0] == '\0') return;
  if (page.filters.size() >= kFiltersMax) {
    ShowMessageDialog(page.window, kFilterLimitMessage);
    return;
  }
  if (!CookieFilterAcceptable(text)) {
    ShowMessageDialog(page.window, kFilterRefused);
    return;
  }
  if (!AddNut(text)) {
    TraceNote("cookies page", "filter not stored");
    return;
  }
  SetDlgItemTextA(page.window, IDC_COOKIES_FILTER, "");
  CookiesFillFilters(page);
}

void CookiesRemoveFilter(CookiesPage& page) {
  const int row = ListView_GetNextItem(page.list, -1, LVNI_SELECTED);
  if (row < 0 || static_cast<std::size_t>(row) >= page.filters.size()) {
    ShowStringMessage(page.window, kNoCookieSelected, MB_OK | MB_ICONQUESTION);
    return;
  }
  if (!RemoveNut(page.filters[static_cast<std::size_t>(row)].c_str()))
    TraceNote("cookies page", "filter not removed");
  CookiesFillFilters(page);
  SetDlgItemTextA(page.window, IDC_COOKIES_SELECTED, "");
  const int count = ListView_GetItemCount(page.list);
  if (count > 0) {
    const int keep = row < count ? row : count - 1;
    ListView_SetItemState(page.list, keep, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

void CookiesChooseBrowser(CookiesPage& page, bool mozilla) {
  if (!OptionSet(kBrowserOption, mozilla ? kBrowserMozilla : kBrowserIE))
    TraceNote("cookies page", "browser not stored");
  CookiesShowBrowser(page);
}

void CookiesChooseFolder(CookiesPage& page) {
  char title[256] = "", folder[MAX_PATH] = "";
  LocalString(kChooseFolderTitle, title, sizeof title);
  BROWSEINFOA browse = {};
  browse.hwndOwner = page.window;
  browse.pszDisplayName = folder;
  browse.lpszTitle = title;
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
  if (chosen == nullptr) return;
  const bool named = SHGetPathFromIDListA(chosen, folder) != FALSE;
  CoTaskMemFree(chosen);
  if (!named) return;
  const bool mozilla = IsDlgButtonChecked(page.window, IDC_COOKIES_MOZILLA) == BST_CHECKED;
  std::string stored = folder;
  if (!mozilla && !stored.empty() && stored.back() != '\\') stored += '\\';
  if (!CookieFolderChoose(mozilla, stored.c_str())) TraceNote("cookies page", "folder not stored");
  CookiesShowFolder(page, mozilla);
}

void CookiesSweepTime(CookiesPage& page) {
  const int minutes = SweepTimeDialog(page.window, kNutsSweepLabel);
  if (minutes >= 0) {
    OptionsStoreChange(kOptNuts, minutes);
    OptionsStoreWriteAll();
  }
  CookiesShowMonitor(page);
}

void CookiesAlwaysView(CookiesPage& page) {
  OptionsStoreChange(kOptViewCookies,
                     IsDlgButtonChecked(page.window, IDC_COOKIES_ALWAYS_VIEW) == BST_CHECKED ? 1 : 0);
  OptionsStoreWriteAll();
}

bool CookiesPageCommand(CookiesPage& page, int command) {
  switch (command) {
    case IDOK:
    case IDC_COOKIES_ADD: CookiesAddFilter(page); return true;
    case IDC_COOKIES_FILTER: return true;  // the filter box: typing in it closes nothing
    case IDC_COOKIES_REMOVE: CookiesRemoveFilter(page); return true;
    case IDC_COOKIES_ALWAYS_VIEW: CookiesAlwaysView(page); return true;
    case IDC_COOKIES_IE: CookiesChooseBrowser(page, false); return true;
    case IDC_COOKIES_MOZILLA: CookiesChooseBrowser(page, true); return true;
    case IDC_COOKIES_VIEW:
      CookieViewerShow(page.window, IsDlgButtonChecked(page.window, IDC_COOKIES_MOZILLA) == BST_CHECKED);
      return true;
    case IDC_COOKIES_FOLDER_PICTURE: CookiesChooseFolder(page); return true;
    case IDC_MONITOR_PICTURE: CookiesSweepTime(page); return true;
    case IDC_HELP_PICTURE: ShowHelp(ID_PAGE_COOKIES); return true;
    case IDCANCEL: return true;
    default: return false;
  }
}

void CookiesSelectionChanged(CookiesPage& page) {
  const int row = ListView_GetNextItem(page.list, -1, LVNI_SELECTED);
  if (row < 0 || static_cast<std::size_t>(row) >= page.filters.size()) return;
  SetDlgItemTextA(page.window, IDC_COOKIES_SELECTED, page.filters[static_cast<std::size_t>(row)].c_str());
}

INT_PTR CookiesPageNotify(CookiesPage& page, const NMHDR* header) {
  if (header->hwndFrom == page.list) {
    if (header->code == LVN_ITEMCHANGED) CookiesSelectionChanged(page);
    if (header->code == LVN_KEYDOWN &&
        reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE)
      CookiesRemoveFilter(page);
    return FALSE;
  }
  if (header->code == PSN_SETACTIVE) {
    CookiesPageActivate(page);
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  if (header->code == PSN_KILLACTIVE) {
    CookiesPageDeactivate(page);
    SetWindowLongPtrA(page.window, DWLP_MSGRESULT, FALSE);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK CookiesPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CookiesPage& page = g_cookiesPage;
  if (PictureButtonMouse(window, message, wParam, lParam)) return TRUE;
  switch (message) {
    case WM_INITDIALOG:
      CookiesPageInit(page, window);
      return TRUE;
    case WM_NOTIFY:
      return CookiesPageNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return CookiesPageCommand(page, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_DRAWITEM:
      return LinkButtonDraw(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case ID_MSG_RELAYOUT:
      return TRUE;
    case WM_DESTROY:
      CookiesPageDestroy(page);
      SheetPageClosed(window);
      return FALSE;
    default:
      return FALSE;
  }
}
