#include "protected_warning.h"

#include <cstdio>
#include <string>

#include "foundation/filefacts.h"
#include "foundation/paths.h"
#include "foundation/placement.h"
#include "foundation/strings.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kCaptionString = 972;
constexpr int kWarningString = 907;
constexpr int kMicrosoftFileString = 909;
constexpr int kConfirmString = 906;
constexpr int kCancelString = 304;
constexpr int kTextSize = 1024;
constexpr int kWarningIcon = 32515;  // the system's exclamation icon

struct WarningRequest {
  const char* title;
  const char* command;
  HFONT titleFont;
};

bool ProtectedWarningMicrosoftFile(const char* command) {
  char file[kPathSize] = "";
  if (NormaliseCommand(command, file, sizeof file) == 0 || !FileExists(file)) return false;
  VersionStrings version;
  return ReadVersionStrings(file, &version) &&
         ContainsNoCase(version.text[kLegalCopyright], "Microsoft");
}

void ProtectedWarningFileText(HWND dialog, const char* command) {
  if (!ProtectedWarningMicrosoftFile(command)) {
    SetDlgItemTextA(dialog, IDC_WARNING_FILE, command);
    return;
  }
  char format[kTextSize] = "", text[kTextSize + kPathSize] = "";
  LocalString(kMicrosoftFileString, format, sizeof format);
  std::snprintf(text, sizeof text, format, command);
  SetDlgItemTextA(dialog, IDC_WARNING_FILE, text);
}

HFONT ProtectedWarningTitleFont(HWND dialog) {
  LOGFONTA font = {};
  HFONT base = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  if (base == nullptr || GetObjectA(base, sizeof font, &font) == 0) return nullptr;
  font.lfHeight = font.lfHeight * 3 / 2;
  font.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&font);
}

void ProtectedWarningInit(HWND dialog, WarningRequest& request) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&request));
  char caption[256] = "";
  LocalString(kCaptionString, caption, sizeof caption);
  SetWindowTextA(dialog, caption);
  SendDlgItemMessageA(dialog, IDC_PAGE_ICON, STM_SETICON,
                      reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(kWarningIcon))), 0);
  request.titleFont = ProtectedWarningTitleFont(dialog);
  if (request.titleFont)
    SendDlgItemMessageA(dialog, IDC_WARNING_TITLE, WM_SETFONT,
                        reinterpret_cast<WPARAM>(request.titleFont), FALSE);
  SetDlgItemTextA(dialog, IDC_WARNING_TITLE, request.title);
  SetDialogText(dialog, kWarningString, IDC_WARNING_TEXT);
  ProtectedWarningFileText(dialog, request.command);
  SetDialogText(dialog, kConfirmString, IDC_WARNING_CONFIRM);
  SetDialogText(dialog, kCancelString, IDCANCEL);
  CheckDlgButton(dialog, IDC_WARNING_CONFIRM, BST_UNCHECKED);
  PlacementRestore(dialog, kPlaceDefaultWarning);
}

void ProtectedWarningEnd(HWND dialog, bool confirmed) {
  PlacementSave(dialog, kPlaceDefaultWarning);
  EndDialog(dialog, confirmed ? 1 : 0);
}

INT_PTR CALLBACK ProtectedWarningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ProtectedWarningInit(dialog, *reinterpret_cast<WarningRequest*>(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        ProtectedWarningEnd(dialog, IsDlgButtonChecked(dialog, IDC_WARNING_CONFIRM) == BST_CHECKED);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ProtectedWarningEnd(dialog, false);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool ProtectedWarningAsk(HWND owner, const char* title, const char* command) {
  WarningRequest request = {title ? title : "", command ? command : "", nullptr};
  const INT_PTR answer =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROTECTED_WARNING), owner,
                      ProtectedWarningProc, reinterpret_cast<LPARAM>(&request));
  if (request.titleFont) DeleteObject(request.titleFont);
  return answer == 1;
}
