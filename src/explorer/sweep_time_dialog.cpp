#include "sweep_time_dialog.h"

#include <commctrl.h>

#include "foundation/options.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "resource.h"

namespace {

constexpr int kMinutesMax = 30;
constexpr int kTickEvery = 3;
constexpr int kEditLimit = 2;

struct SweepCategory {
  int labelString;
  OptionId minutes;
  int realtime;  // an OptionId, or -1 when the category has no real-time watch
};

constexpr SweepCategory kSweepCategories[] = {
    {784, kOptStart, kOptRealtimeStartup},       {785, kOptIEHelpers, kOptRealtimeIEHelper},
    {786, kOptTasks, -1},                        {787, kOptCookies, -1},
    {788, kOptFileType, kOptRealtimeFileType},   {789, kOptNuts, -1},
    {790, kOptWinInit, -1},                      {791, kOptStartPage, kOptRealtimeStartPage},
    {792, kOptHostFile, kOptRealtimeSysFiles},   {924, kOptHidden, kOptRealtimeHidden},
    {957, kOptServices, kOptRealtimeServices},   {1157, kOptActiveX, kOptRealtimeActiveX},
};

struct SweepState {
  const SweepCategory* category;
  int realtimeAtOpening;
  bool syncing;  // the slider and the edit box are being set from each other
};

const SweepCategory* SweepCategoryOf(int labelString) {
  for (const SweepCategory& row : kSweepCategories)
    if (row.labelString == labelString) return &row;
  return nullptr;
}

int SweepOption(OptionId id) {
  const OptionRow& row = OptionRowFor(id);
  return OptionGet(row.name, row.explorerDefault);
}

int SweepRealtime(const SweepCategory& category) {
  return category.realtime < 0 ? 0 : SweepOption(static_cast<OptionId>(category.realtime));
}

void SweepStoreRealtime(const SweepCategory& category, int value) {
  if (category.realtime < 0) return;
  if (!OptionSet(OptionRowFor(static_cast<OptionId>(category.realtime)).name, value))
    TraceNote("sweep time", "real-time option not stored");
}

// Digits only: a pasted "-1" would otherwise end the dialog as if it had been cancelled.
int SweepTyped(HWND dialog) {
  BOOL digits = FALSE;
  const UINT minutes = GetDlgItemInt(dialog, IDC_SWEEP_MINUTES, &digits, FALSE);
  return digits ? static_cast<int>(minutes) : 0;
}

void SweepShow(HWND dialog, SweepState& state) {
  const int minutes = SweepOption(state.category->minutes);
  const bool realtime = SweepRealtime(*state.category) != 0;
  state.syncing = true;
  SetDlgItemInt(dialog, IDC_SWEEP_MINUTES, realtime ? 0 : minutes, FALSE);
  SendDlgItemMessageA(dialog, IDC_SWEEP_SLIDER, TBM_SETPOS, TRUE, realtime ? 0 : minutes);
  state.syncing = false;
  CheckDlgButton(dialog, IDC_SWEEP_REALTIME, realtime ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(GetDlgItem(dialog, IDC_SWEEP_SLIDER), !realtime);
  EnableWindow(GetDlgItem(dialog, IDC_SWEEP_MINUTES), !realtime && minutes > 0);
}

void SweepInit(HWND dialog, SweepState& state) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
  char caption[256] = "";
  LocalString(state.category->labelString, caption, sizeof caption);
  SetWindowTextA(dialog, caption);
  SetDialogText(dialog, 782, IDC_SWEEP_TEXT);
  SetDialogText(dialog, 783, IDC_SWEEP_UNIT);
  SetDialogText(dialog, 802, IDC_SWEEP_HINT);
  SetDialogText(dialog, 304, IDCANCEL);
  SetDialogText(dialog, 905, IDC_SWEEP_REALTIME);
  SendDlgItemMessageA(dialog, IDC_SWEEP_MINUTES, EM_LIMITTEXT, kEditLimit, 0);
  SendDlgItemMessageA(dialog, IDC_SWEEP_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, kMinutesMax));
  SendDlgItemMessageA(dialog, IDC_SWEEP_SLIDER, TBM_SETTICFREQ, kTickEvery, 0);
  if (state.category->realtime < 0) ShowWindow(GetDlgItem(dialog, IDC_SWEEP_REALTIME), SW_HIDE);
  SweepShow(dialog, state);
}

void SweepSliderMoved(HWND dialog, SweepState& state) {
  if (state.syncing) return;
  const int position =
      static_cast<int>(SendDlgItemMessageA(dialog, IDC_SWEEP_SLIDER, TBM_GETPOS, 0, 0));
  state.syncing = true;
  SetDlgItemInt(dialog, IDC_SWEEP_MINUTES, position, FALSE);
  state.syncing = false;
  EnableWindow(GetDlgItem(dialog, IDC_SWEEP_MINUTES), position > 0);
}

void SweepTypedChanged(HWND dialog, SweepState& state) {
  if (state.syncing) return;
  state.syncing = true;
  SendDlgItemMessageA(dialog, IDC_SWEEP_SLIDER, TBM_SETPOS, TRUE, SweepTyped(dialog));
  state.syncing = false;
}

// While the category is watched in real time the minutes are not shown; they stay as
// they were, so the timed check goes on as well.
int SweepResult(HWND dialog, const SweepState& state) {
  if (IsDlgButtonChecked(dialog, IDC_SWEEP_REALTIME) == BST_CHECKED)
    return SweepOption(state.category->minutes);
  return SweepTyped(dialog);
}

bool SweepCommand(HWND dialog, SweepState& state, int command, int notification) {
  switch (command) {
    case IDC_SWEEP_REALTIME:
      SweepStoreRealtime(*state.category,
                         IsDlgButtonChecked(dialog, IDC_SWEEP_REALTIME) == BST_CHECKED ? 1 : 0);
      SweepShow(dialog, state);
      return true;
    case IDC_SWEEP_MINUTES:
      if (notification == EN_CHANGE) SweepTypedChanged(dialog, state);
      return true;
    case IDOK:
      SweepStoreRealtime(*state.category,
                         IsDlgButtonChecked(dialog, IDC_SWEEP_REALTIME) == BST_CHECKED ? 1 : 0);
      EndDialog(dialog, SweepResult(dialog, state));
      return true;
    case IDCANCEL:
      if (SweepRealtime(*state.category) != state.realtimeAtOpening)
        SweepStoreRealtime(*state.category, state.realtimeAtOpening);
      EndDialog(dialog, -1);
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK SweepTimeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<SweepState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SweepInit(dialog, *reinterpret_cast<SweepState*>(lParam));
      return TRUE;
    case WM_HSCROLL:
      if (state) SweepSliderMoved(dialog, *state);
      return TRUE;
    case WM_COMMAND:
      return state && SweepCommand(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    default:
      return FALSE;
  }
}

}  // namespace

int SweepTimeDialog(HWND owner, int labelString) {
  const SweepCategory* category = SweepCategoryOf(labelString);
  if (category == nullptr) return -1;
  SweepState state = {category, SweepRealtime(*category), false};
  const INT_PTR result =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SWEEP_TIME), owner,
                      SweepTimeProc, reinterpret_cast<LPARAM>(&state));
  return result < 0 ? -1 : static_cast<int>(result);
}

bool SweepTimeRealtime(int labelString) {
  const SweepCategory* category = SweepCategoryOf(labelString);
  return category != nullptr && SweepRealtime(*category) != 0;
}
