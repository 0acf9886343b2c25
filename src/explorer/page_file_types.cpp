// The File Types page: the watched extensions and the program that opens each, and the
// add-file-type dialog (144).
#include <string>

#include "categories/file_types.h"
#include "category_page.h"
#include "foundation/placement.h"
#include "foundation/strings.h"
#include "message_dialog.h"
#include "pages.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kColumnTitles[] = {627, 628, 699, 747, 748, 714};
constexpr int kTypeColumn = 5;
constexpr int kNoSelectionString = 60;
constexpr int kExtensionLimit = 255;

constexpr CategoryText kTexts[] = {{740, IDC_TYPES_HEADER}, {741, IDC_TYPES_HEADER2},
                                   {311, IDC_PAGE_ADD},     {302, IDC_PAGE_REMOVE}};
constexpr CategoryMenuRow kMenu[] = {
    {301, IDC_PAGE_INFO, MenuShow::Always},
    {971, ID_MENU_VIEW_NOTE, MenuShow::NoteExists},
    {311, IDC_PAGE_ADD, MenuShow::Always},
    {302, IDC_PAGE_REMOVE, MenuShow::Always},
};

CategoryPage g_fileTypesPage;

const char* FileTypeSourceText(int source) {
  switch (source) {
    case 1: return "System";
    case 2:
    case 3: return "Explorer";
    case 4: return "Root";
    default: return "";
  }
}

void FileTypesFill(CategoryPage& page) {
  EnumerateFileTypes();
  page.rows = ItemRowsCopy();
  page.list.rows.resize(page.rows.size());
  for (std::size_t i = 0; i < page.rows.size(); ++i) {
    const ItemRow& row = page.rows[i];
    ListRowView& view = page.list.rows[i];
    CategoryPageFacts(page, view, row, nullptr);
    view.cell[0] = row.title;
    view.cell[1] = CategoryCommandShown(row.command);
    view.late[2] = ListLate::Company;
    view.cell[3] = row.key;
    view.cell[4] = row.extra;
    view.cell[kTypeColumn] = FileTypeSourceText(row.value);
  }
}

// The page's comparator knows no sixth key: the type column keeps the order it has.
SortKey FileTypesSortKey(const ListPage& list, int entry, int column) {
  if (column == kTypeColumn) return {"", false};
  return ListPageTextKey(list, entry, column);
}

bool AddFileTypeTry(HWND dialog) {
  char extension[kExtensionLimit + 1] = "";
  GetDlgItemTextA(dialog, IDC_ADD_TYPE_EXTENSION, extension, sizeof extension);
  if (SkipBlanks(extension).empty()) return false;
  const int refusal = AddWatchedFileType(extension);
  if (refusal == 0) return true;
  ShowMessageDialog(dialog, refusal);
  return false;
}

INT_PTR CALLBACK AddFileTypeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      char caption[256] = "";
      if (LocalString(752, caption, sizeof caption)) SetWindowTextA(dialog, caption);
      SetDialogText(dialog, 751, IDC_ADD_TYPE_TEXT);
      SetDialogText(dialog, 753, IDOK);
      SetDialogText(dialog, 304, IDCANCEL);
      SendDlgItemMessageA(dialog, IDC_ADD_TYPE_EXTENSION, EM_LIMITTEXT, kExtensionLimit, 0);
      PlacementRestore(dialog, kPlaceAddFileType);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && AddFileTypeTry(dialog)) {
        PlacementSave(dialog, kPlaceAddFileType);
        EndDialog(dialog, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    default:
      return FALSE;
  }
}

void FileTypesAdd(CategoryPage& page) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ADD_FILE_TYPE), page.window,
                  AddFileTypeProc, 0);
  CategoryPageFill(page);
}

void FileTypesRemove(CategoryPage& page) {
  const int entry = CategoryPageSelectedEntry(page, kNoSelectionString);
  if (entry < 0) return;
  std::string extension = page.rows[static_cast<std::size_t>(entry)].extra;
  if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
  RemoveWatchedFileType(extension.c_str());
  CategoryPageFill(page);
}

bool FileTypesCommand(CategoryPage& page, int command) {
  switch (command) {
    case IDC_PAGE_ADD: FileTypesAdd(page); return true;
    case IDC_PAGE_REMOVE: FileTypesRemove(page); return true;
    default: return false;
  }
}

const CategoryPageTraits kFileTypesTraits = {
    ID_PAGE_FILE_TYPES,
    IDI_TAB_FILE_TYPES,
    "SortFileType",
    kColumnTitles,
    6,
    kTexts,
    static_cast<int>(std::size(kTexts)),
    IDC_TYPES_HEADER2,
    {IDC_PAGE_LIST, IDC_PAGE_ICON, IDC_TYPES_HEADER, IDC_HELP_PICTURE, IDC_HELP_LABEL,
     IDC_MONITOR_PICTURE, IDC_MONITOR_LABEL, 0,
     {IDC_PAGE_INFO, IDC_PAGE_ADD, IDC_PAGE_REMOVE, IDC_PAGE_CLOSE, 0},
     {0, 0, 0, 0, 0},
     4},
    nullptr,
    0,
    788,
    kOptFileType,
    ID_PAGE_FILE_TYPES,
    kMenu,
    static_cast<int>(std::size(kMenu)),
    false,
    FileTypesFill,
    FileTypesSortKey,
    FileTypesCommand,
    nullptr,
};

}  // namespace

INT_PTR CALLBACK FileTypesPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CategoryPageProc(g_fileTypesPage, kFileTypesTraits, window, message, wParam, lParam);
}
