// The program's signature in its alert: a line under its version facts and, for an unsigned
// or tampered program, a warning in front of the alert's message.
#include <string>

#include "alert_dialog.h"
#include "foundation/strings.h"
#include "resource.h"

namespace {

constexpr int kTextSize = 4096;

int AlertSignatureWarningString(SignatureState state) {
  if (state == SignatureState::kUnsigned) return IDS_SIGNATURE_WARN_UNSIGNED;
  if (state == SignatureState::kInvalid) return IDS_SIGNATURE_WARN_INVALID;
  return 0;
}

}  // namespace

void AlertSignatureLine(HWND dialog, int control, const SignatureFacts& facts) {
  SetDlgItemTextA(dialog, control, SignatureTextOf(facts).c_str());
}

void AlertSignatureWarn(HWND dialog, int messageControl, const SignatureFacts& facts) {
  const int warning = AlertSignatureWarningString(facts.state);
  if (warning == 0) return;
  char text[kTextSize] = "";
  if (LocalString(warning, text, sizeof text) == 0) return;
  char message[kTextSize] = "";
  GetDlgItemTextA(dialog, messageControl, message, sizeof message);
  const std::string shown = std::string(text) + "\n" + message;
  SetDlgItemTextA(dialog, messageControl, shown.c_str());
}

bool AlertSignatureColour(HWND control, HDC dc, const AlertDialogState& state) {
  const int id = GetDlgCtrlID(control);
  if (id != IDC_ALERT_SIGNATURE && id != IDC_FT_OLD_SIGNATURE && id != IDC_FT_NEW_SIGNATURE)
    return false;
  const SignatureFacts& facts = id == IDC_FT_NEW_SIGNATURE ? state.secondSignature : state.signature;
  if (!SignatureNeedsAttention(facts.state)) return false;
  SetTextColor(dc, kSignatureAttentionColour);
  SetBkMode(dc, TRANSPARENT);
  return true;
}
