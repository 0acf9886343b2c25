#include "history_dialog.h"

#include <windowsx.h>

#include <vector>

#include "foundation/msgbox.h"
#include "foundation/placement.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "history_text.h"
#include "list_page.h"
#include "records/history.h"
#include "records/history_read.h"
#include "records/history_undo.h"
#include "records/undo_store.h"
#include "resource.h"

namespace {

constexpr int kHistoryPage = 6041;
constexpr int kColumnTitles[] = {627, 715, 628, 713};
constexpr int kColumnCount = 4;
constexpr int kCaptionString = 712;
constexpr int kClearQuestion = 1300;
constexpr int kRestoreFailedMessage = 1301;
constexpr int kUndoGoneMessage = 1307;
constexpr int kUndoAlreadyMessage = 1308;
constexpr int kUndoFailedMessage = 1309;
constexpr int kMenuTextSize = 128;
constexpr char kSortOption[] = "SortHistory";
// What the heading (string 710) calls the mark of a change that can be restored.
constexpr char kReadyMark[] = "* ";

struct HistoryState {
  ListPage list;
  std::vector<HistoryRecord> records;  // by entry index, oldest first
  std::vector<UndoRow> undo;           // the same rows' undo records
};

void HistoryRowView(HistoryState& state, const HistoryRecord& record, const UndoRow& undo,
                    ListRowView& view) {
  view.image = ListPageFileFacts(state.list, record.command.c_str(), nullptr, 0).image;
  view.cell[0] = undo.state == kUndoRowReady ? kReadyMark + record.title : record.title;
  view.cell[1] = HistoryActionNameOf(record.actionCode);
  view.cell[2] = record.command;
  view.cell[3] = record.stamp;
}

bool HistoryRestorable(const HistoryState& state, const HistoryRecord* record) {
  if (record == nullptr) return false;
  const auto entry = static_cast<std::size_t>(record - state.records.data());
  return HistoryActionReversible(record->actionCode) ||
         (entry < state.undo.size() && state.undo[entry].state != kUndoRowNone);
}

const HistoryRecord* HistorySelected(const HistoryState& state) {
  const int entry = ListPageSelectedEntry(state.list);
  if (entry < 0 || static_cast<std::size_t>(entry) >= state.records.size()) return nullptr;
  return &state.records[static_cast<std::size_t>(entry)];
}

void HistorySelectionChanged(HWND dialog, const HistoryState& state) {
  const HistoryRecord* record = HistorySelected(state);
  EnableWindow(GetDlgItem(dialog, IDC_HISTORY_RESTORE), HistoryRestorable(state, record));
}

// The newest lines are at the end of the file, so the list opens scrolled to its end.
void HistoryFill(HWND dialog, HistoryState& state) {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // the hourglass
  if (!HistoryReadRecords(state.records)) TraceNote("history", "history.txt could not be read");
  state.undo = UndoStoreRows(state.records);
  ListPageBeginFill(state.list);
  state.list.rows.resize(state.records.size());
  for (std::size_t i = 0; i < state.records.size(); ++i)
    HistoryRowView(state, state.records[i],
                   i < state.undo.size() ? state.undo[i] : UndoRow{}, state.list.rows[i]);
  const int count = ListPageEndFill(state.list);
  if (count > 0) ListView_EnsureVisible(state.list.list, count - 1, FALSE);
  HistorySelectionChanged(dialog, state);
  SetCursor(previous);
}

void HistoryInit(HWND dialog, HistoryState& state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  char caption[256] = "";
  LocalString(kCaptionString, caption, sizeof caption);
  SetWindowTextA(dialog, caption);
  SetDialogText(dialog, 710, IDC_HISTORY_TEXT);
  SetDialogText(dialog, 717, IDC_HISTORY_RESTORE);
  SetDialogText(dialog, 711, IDC_HISTORY_CLEAR);
  SetDialogText(dialog, IDS_CLOSE, IDOK);
  // The rows keep the file's order; a column click only stores the column.
  ListPageInit(state.list, dialog, kHistoryPage, kSortOption, kColumnTitles, kColumnCount, nullptr,
               false);
  state.list.sort = {};
  EnableWindow(GetDlgItem(dialog, IDC_HISTORY_RESTORE), FALSE);
  PlacementCentre(dialog);
  HistoryFill(dialog, state);
}

// A deleted hidden file comes back from its vault copy, which may be gone; every other action
// that fails was refused by Windows (a machine-wide entry without an administrator).
int HistoryRestoreMessage(HistoryRestoreResult result, int actionCode) {
  switch (result) {
    case kRestoreFailed:
      return actionCode == kActHiddenDeleteFile ? kRestoreFailedMessage : kUndoFailedMessage;
    case kRestoreGone: return kUndoGoneMessage;
    case kRestoreAlready: return kUndoAlreadyMessage;
    default: return 0;
  }
}

// Only actions that can be taken back are; any other row does nothing at all.
void HistoryRestore(HWND dialog, HistoryState& state) {
  const HistoryRecord* record = HistorySelected(state);
  if (!HistoryRestorable(state, record)) return;
  const int row = ListView_GetNextItem(state.list.list, -1, LVNI_SELECTED);
  const auto entry = static_cast<std::size_t>(record - state.records.data());
  const UndoRow undo = entry < state.undo.size() ? state.undo[entry] : UndoRow{};
  const HistoryRestoreResult result = HistoryRestore(*record, undo);
  const int message = HistoryRestoreMessage(result, record->actionCode);
  if (message != 0) ShowStringMessage(dialog, message, MB_OK | MB_ICONEXCLAMATION);
  if (result != kRestoreDone) return;
  HistoryFill(dialog, state);
  ListPageSelectOnly(state.list, row);
  HistorySelectionChanged(dialog, state);
}

void HistoryClearFile(HWND dialog, HistoryState& state) {
  if (ShowStringMessage(dialog, kClearQuestion, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  // The undo records go with the lines they belong to, so none can meet a later line.
  if (!HistoryClear() || !UndoStoreClear())
    ShowStringMessage(dialog, IDS_FILE_IN_USE, MB_OK | MB_ICONEXCLAMATION);
  HistoryFill(dialog, state);
}

void HistoryMenu(HWND dialog, HistoryState& state, POINT at) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  const struct {
    int string, command;
  } kItems[] = {{717, IDC_HISTORY_RESTORE}, {711, IDC_HISTORY_CLEAR}, {IDS_CLOSE, IDOK}};
  for (const auto& item : kItems) {
    char text[kMenuTextSize] = "";
    LocalString(item.string, text, sizeof text);
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), text);
  }
  if (!HistoryRestorable(state, HistorySelected(state)))
    EnableMenuItem(menu, IDC_HISTORY_RESTORE, MF_BYCOMMAND | MF_GRAYED);
  if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // from the keyboard
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog, nullptr);
  DestroyMenu(menu);
}

void HistoryColumnClicked(const HistoryState& state, int column) {
  if (column < 0 || column >= state.list.columnCount) return;
  if (!OptionSet(kSortOption, column + 1)) TraceNote("history", "sort column not stored");
}

bool HistoryListNotify(HWND dialog, HistoryState& state, const NMHDR* header) {
  switch (header->code) {
    case LVN_COLUMNCLICK:
      HistoryColumnClicked(state, reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
      return true;
    case LVN_ITEMCHANGED:
    case NM_CLICK:
      HistorySelectionChanged(dialog, state);
      return false;
    case NM_DBLCLK:
      HistoryRestore(dialog, state);
      return true;
    default:
      return false;
  }
}

INT_PTR HistoryNotify(HWND dialog, HistoryState& state, const NMHDR* header) {
  if (header->hwndFrom == state.list.list && HistoryListNotify(dialog, state, header)) return TRUE;
  LRESULT result = 0;
  if (!ListPageNotify(state.list, header, result)) return FALSE;
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

void HistoryEnd(HWND dialog, HistoryState& state) {
  ListPageDestroy(state.list);
  state.records.clear();
  state.undo.clear();
  EndDialog(dialog, IDOK);
}

bool HistoryCommand(HWND dialog, HistoryState& state, int command) {
  switch (command) {
    case IDC_HISTORY_RESTORE: HistoryRestore(dialog, state); return true;
    case IDC_HISTORY_CLEAR: HistoryClearFile(dialog, state); return true;
    case IDOK:
    case IDCANCEL: HistoryEnd(dialog, state); return true;
    default: return false;
  }
}

INT_PTR CALLBACK HistoryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<HistoryState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    HistoryInit(dialog, *reinterpret_cast<HistoryState*>(lParam));
    return TRUE;
  }
  if (state == nullptr) return FALSE;
  switch (message) {
    case WM_NOTIFY:
      return HistoryNotify(dialog, *state, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      return HistoryCommand(dialog, *state, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != state->list.list) return FALSE;
      HistoryMenu(dialog, *state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void HistoryDialog(HWND owner) {
  HistoryState state;
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HISTORY), owner,
                      HistoryProc, reinterpret_cast<LPARAM>(&state)) < 0)
    TraceNote("history", "the history dialog could not be shown");
}
