#include "alert_dialog.h"
#include "alerts.h"
#include "foundation/strings.h"
#include "resource.h"

namespace {

// Where one of the two programs is shown.
struct FileTypeSide {
  int command, name, company, icon, info, signature;
};
constexpr FileTypeSide kCurrentSide = {IDC_FT_OLD_COMMAND, IDC_FT_OLD_NAME, IDC_FT_OLD_COMPANY,
                                       IDC_FT_OLD_ICON,    IDC_FT_OLD_INFO, IDC_FT_OLD_SIGNATURE};
constexpr FileTypeSide kChangedSide = {IDC_FT_NEW_COMMAND, IDC_FT_NEW_NAME, IDC_FT_NEW_COMPANY,
                                       IDC_FT_NEW_ICON,    IDC_FT_NEW_INFO, IDC_FT_NEW_SIGNATURE};

constexpr struct {
  int stringNumber, control;
} kFileTypeTexts[] = {
    {IDS_FILE_TYPE_ALERT_TEXT, IDC_FT_INTRO},
    {IDS_FILE_TYPE_ALERT_TEXT + 1, IDC_FT_CURRENT_LABEL},
    {IDS_FILE_TYPE_ALERT_TEXT + 2, IDC_FT_CHANGED_LABEL},
    {IDS_FILE_TYPE_ALERT_TEXT + 3, IDC_FT_QUESTION},
};

HICON FileTypeFillSide(HWND dialog, const FileTypeSide& side, const char* command,
                       SignatureFacts& signature) {
  SetDlgItemTextA(dialog, side.command, command);
  AlertSetFont(dialog, side.command, kAlertFontCommand);
  char executable[kPathSize];
  NormaliseCommand(command, executable, kPathSize);
  VersionStrings facts;
  ReadVersionStrings(executable, &facts);
  SetDlgItemTextA(dialog, side.name, facts.text[kProductName]);
  AlertSetFont(dialog, side.name, kAlertFontName);
  if (facts.text[kCompanyName][0] != '\0')
    SetDlgItemTextA(dialog, side.company, facts.text[kCompanyName]);
  SetDialogText(dialog, IDS_INFO_BUTTON, side.info);
  signature = SignatureOf(executable);
  AlertSignatureLine(dialog, side.signature, signature);
  return AlertPutIcon(dialog, side.icon, executable);
}

}  // namespace

void AlertFileTypeFill(HWND dialog, AlertDialogState& state) {
  for (const auto& text : kFileTypeTexts) SetDialogText(dialog, text.stringNumber, text.control);
  state.programIcon =
      FileTypeFillSide(dialog, kCurrentSide, g_alertItem.command, state.signature);
  state.secondIcon =
      FileTypeFillSide(dialog, kChangedSide, g_alertItem.secondCommand, state.secondSignature);
  // The program the type was changed to is the one being asked about.
  AlertSignatureWarn(dialog, IDC_FT_INTRO, state.secondSignature);
  SetDlgItemTextA(dialog, IDC_FT_EXTENSION, g_alertItem.name);
  AlertSetFont(dialog, IDC_FT_EXTENSION, kAlertFontExtension);
}

bool AlertFileTypeCommand(HWND dialog, int id) {
  if (id == kCurrentSide.info) {
    AlertShowInfo(dialog, g_alertItem.command);
    return true;
  }
  if (id == kChangedSide.info) {
    AlertShowInfo(dialog, g_alertItem.secondCommand);
    return true;
  }
  return false;
}
