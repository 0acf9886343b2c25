// Dialog 121: opening, the commands and the expanded or shrunk window.
#include "info_dialog.h"

#include <shellapi.h>

#include <string>

#include "categories/active_tasks.h"
#include "categories/service_start_change.h"
#include "categories/service_stop.h"
#include "categories/services.h"
#include "categories/task_kill.h"
#include "foundation/msgbox.h"
#include "foundation/paths.h"
#include "foundation/placement.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "lookup/info.h"
#include "records/note_store.h"
#include "resource.h"

namespace {

constexpr int kActiveTaskCode = 600;
constexpr int kSaveNoteString = 970;
constexpr int kNoteNotSavedString = 1146;
constexpr int kExpandString = 918;
constexpr int kShrinkString = 919;
// Heights of the client area and the row of buttons, in dialog units.
constexpr int kExpandedHeight = 262;
constexpr int kShrunkHeight = 150;
constexpr int kExpandedButtons = 240;
constexpr int kShrunkButtons = 128;
constexpr int kBottomButtons[] = {IDC_INFO_LOOKUP, IDC_INFO_EXPAND, IDC_INFO_NOTE_BUTTON,
                                  IDC_INFO_PREVIOUS, IDC_INFO_NEXT, IDOK};
constexpr int kExpandedOnly[] = {IDC_INFO_NOTE,         IDC_INFO_NOTE_BUTTON, IDC_INFO_CREATED,
                                 IDC_INFO_CREATED_LABEL, IDC_INFO_SAVED,       IDC_INFO_SAVED_LABEL,
                                 IDC_INFO_SIZE,          IDC_INFO_SIZE_LABEL,  IDC_INFO_DETECTED,
                                 IDC_INFO_DETECTED_LABEL};

InfoDialogState& InfoState(HWND dialog) {
  return *reinterpret_cast<InfoDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

const ItemRow& InfoRow(const InfoDialogState& state) {
  return state.rows[static_cast<std::size_t>(state.index)];
}

HFONT InfoBoldFont(HWND dialog) {
  LOGFONTA font = {};
  HFONT base = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  if (base == nullptr || GetObjectA(base, sizeof font, &font) == 0) return nullptr;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&font);
}

void InfoInit(HWND dialog, InfoDialogState& state) {
  const struct {
    int string, control;
  } kTexts[] = {{643, IDC_INFO_COMPANY_LABEL}, {644, IDC_INFO_VERSION_LABEL},
                {645, IDC_INFO_COPYRIGHT_LABEL}, {667, IDC_INFO_START_LABEL},
                {668, IDC_INFO_STATUS_LABEL},   {832, IDC_INFO_RUN},
                {662, IDC_INFO_APPLY},          {915, IDC_INFO_CREATED_LABEL},
                {917, IDC_INFO_SAVED_LABEL},    {920, IDC_INFO_SIZE_LABEL},
                {921, IDC_INFO_DETECTED_LABEL}, {641, IDC_INFO_LOOKUP},
                {304, IDOK}};
  for (const auto& text : kTexts) SetDialogText(dialog, text.string, text.control);
  SetWindowTextA(dialog, MessageCaption());
  SendDlgItemMessageA(dialog, IDC_INFO_NOTE, EM_LIMITTEXT, kNoteTextMax, 0);
  state.bold = InfoBoldFont(dialog);
  for (int control : {IDC_INFO_PRODUCT, IDC_INFO_PATH})
    SendDlgItemMessageA(dialog, control, WM_SETFONT, reinterpret_cast<WPARAM>(state.bold), FALSE);
  state.expanded = true;
  InfoApplyExpansion(dialog, state);
  PlacementRestore(dialog, kPlaceInfo);
  InfoShowEntry(dialog, state);
}

void InfoStep(HWND dialog, InfoDialogState& state, int step) {
  const int count = static_cast<int>(state.rows.size());
  state.index = ((state.index + step) % count + count) % count;
  InfoShowEntry(dialog, state);
}

void InfoCreateNote(HWND dialog, InfoDialogState& state) {
  const ItemRow& row = InfoRow(state);
  const std::string path = NoteNewPath(row.command.c_str(), row.title.c_str());
  const std::string text = row.title + "\r\n" + row.command + "\r\n";
  if (!NoteWrite(path, text)) {
    ShowStringMessage(dialog, kNoteNotSavedString, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  state.noteExists = true;
  state.notePath = path;
  SetDlgItemTextA(dialog, IDC_INFO_NOTE, text.c_str());
  SendDlgItemMessageA(dialog, IDC_INFO_NOTE, EM_SETREADONLY, FALSE, 0);
  SendDlgItemMessageA(dialog, IDC_INFO_NOTE, EM_SETSEL, 0, -1);
  SetFocus(GetDlgItem(dialog, IDC_INFO_NOTE));
  SetDialogText(dialog, kSaveNoteString, IDC_INFO_NOTE_BUTTON);
  EnableWindow(GetDlgItem(dialog, IDC_INFO_NOTE_BUTTON), FALSE);
}

// A save that fails keeps the text in the box and says so.
void InfoSaveNote(HWND dialog, InfoDialogState& state) {
  HWND box = GetDlgItem(dialog, IDC_INFO_NOTE);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
  if (!NoteWrite(state.notePath, text)) {
    ShowStringMessage(dialog, kNoteNotSavedString, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  EnableWindow(GetDlgItem(dialog, IDC_INFO_NOTE_BUTTON), FALSE);
  SendMessageA(box, EM_SETMODIFY, FALSE, 0);
}

void InfoNoteButton(HWND dialog, InfoDialogState& state) {
  if (state.noteExists)
    InfoSaveNote(dialog, state);
  else
    InfoCreateNote(dialog, state);
}

void InfoStop(HWND dialog, InfoDialogState& state) {
  const ItemRow& row = InfoRow(state);
  char path[kPathSize] = "";
  NormaliseCommand(row.command.c_str(), path, sizeof path);
  if (InfoIsService(row.code)) {
    StopServiceRecorded(row.title.c_str(), row.command.c_str(), row.code);
    Sleep(100);
  } else if (row.code == kActiveTaskCode) {
    KillListedProcess(static_cast<unsigned long>(row.value), row.title.c_str(), path, row.extra.c_str());
  } else {
    KillTask(path, row.title.c_str(), 0);
  }
  InfoShowEntry(dialog, state);
}

void InfoRun(HWND dialog, InfoDialogState& state) {
  const ItemRow& row = InfoRow(state);
  if (!InfoIsService(row.code)) {
    char path[kPathSize] = "";
    NormaliseCommand(row.command.c_str(), path, sizeof path);
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(dialog, "open", path, nullptr, nullptr, SW_SHOWNORMAL)) <= 32)
      TraceNote("info dialog", "the program could not be started");
  }
  InfoShowEntry(dialog, state);
}

void InfoApply(HWND dialog, InfoDialogState& state) {
  const ItemRow& row = InfoRow(state);
  const LRESULT choice = SendDlgItemMessageA(dialog, IDC_INFO_START_TYPE, CB_GETCURSEL, 0, 0);
  if (choice == CB_ERR) return;
  if (ChangeServiceStartType(row.title.c_str(), row.command.c_str(), row.code, static_cast<int>(choice)))
    state.startType = static_cast<int>(choice);
  else
    TraceNote("info dialog", "the start type could not be set");
  EnableWindow(GetDlgItem(dialog, IDC_INFO_APPLY), FALSE);
}

void InfoClose(HWND dialog, InfoDialogState& state) {
  PlacementSave(dialog, kPlaceInfo);
  if (state.bold) DeleteObject(state.bold);
  state.bold = nullptr;
  EndDialog(dialog, IDOK);
}

void InfoCommand(HWND dialog, InfoDialogState& state, int command, int notification) {
  if (SendDlgItemMessageA(dialog, IDC_INFO_NOTE, EM_GETMODIFY, 0, 0) && state.noteExists)
    EnableWindow(GetDlgItem(dialog, IDC_INFO_NOTE_BUTTON), TRUE);
  switch (command) {
    case IDC_INFO_NEXT: InfoStep(dialog, state, 1); break;
    case IDC_INFO_PREVIOUS: InfoStep(dialog, state, -1); break;
    case IDC_INFO_LOOKUP:
      ShowInfo(InfoRow(state).code, InfoRow(state).command.c_str(), InfoRow(state).title.c_str());
      SetWindowPos(dialog, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      break;
    case IDC_INFO_NOTE_BUTTON: InfoNoteButton(dialog, state); break;
    case IDC_INFO_KILL: InfoStop(dialog, state); break;
    case IDC_INFO_RUN: InfoRun(dialog, state); break;
    case IDC_INFO_APPLY: InfoApply(dialog, state); break;
    case IDC_INFO_EXPAND:
      state.expanded = !state.expanded;
      InfoApplyExpansion(dialog, state);
      break;
    case IDC_INFO_START_TYPE:
      if (notification == CBN_SELCHANGE)
        EnableWindow(GetDlgItem(dialog, IDC_INFO_APPLY),
                     SendDlgItemMessageA(dialog, IDC_INFO_START_TYPE, CB_GETCURSEL, 0, 0) != state.startType);
      break;
    case IDOK:
    case IDCANCEL: InfoClose(dialog, state); break;
    default: break;
  }
}

INT_PTR CALLBACK InfoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      InfoInit(dialog, *reinterpret_cast<InfoDialogState*>(lParam));
      return TRUE;
    case WM_COMMAND:
      InfoCommand(dialog, InfoState(dialog), LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void InfoApplyExpansion(HWND dialog, const InfoDialogState& state) {
  RECT units = {0, state.expanded ? kExpandedHeight : kShrunkHeight, 0,
                state.expanded ? kExpandedButtons : kShrunkButtons};
  MapDialogRect(dialog, &units);
  for (int control : kExpandedOnly)
    ShowWindow(GetDlgItem(dialog, control), state.expanded ? SW_SHOW : SW_HIDE);
  for (int control : kBottomButtons) {
    HWND button = GetDlgItem(dialog, control);
    RECT box = {};
    GetWindowRect(button, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    SetWindowPos(button, nullptr, box.left, units.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  RECT frame = {0, 0, 0, units.top};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  RECT window = {};
  GetWindowRect(dialog, &window);
  SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  SetDialogText(dialog, state.expanded ? kShrinkString : kExpandString, IDC_INFO_EXPAND);
}

int ShowInfoDialog(HWND owner, const std::vector<ItemRow>& rows, int index) {
  if (rows.empty() || index < 0 || static_cast<std::size_t>(index) >= rows.size()) return index;
  InfoDialogState state;
  state.rows = rows;
  state.index = index;
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_INFO), owner, InfoDialogProc,
                      reinterpret_cast<LPARAM>(&state)) < 0)
    TraceNote("info dialog", "the dialog could not open");
  if (state.bold) DeleteObject(state.bold);
  return state.index;
}
