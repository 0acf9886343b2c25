#include "text_viewer.h"

#include <string>

#include "foundation/handles.h"
#include "foundation/placement.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "resource.h"

namespace {

constexpr DWORD kTextViewerMax = 16384;

struct TextViewerState {
  const char* path;
  int captionString;
};

// Line feeds alone become CR LF, so that the edit box breaks the lines; NULs end nothing.
std::string TextViewerShown(const std::string& bytes) {
  std::string shown;
  shown.reserve(bytes.size() + bytes.size() / 16);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n' && (i == 0 || bytes[i - 1] != '\r')) shown += '\r';
    shown += c == '\0' ? ' ' : c;
  }
  return shown;
}

std::string TextViewerRead(const char* path) {
  Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};
  std::string bytes(kTextViewerMax, '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), kTextViewerMax, &read, nullptr)) {
    TraceNote("text viewer", "file not read");
    return {};
  }
  bytes.resize(read);
  return TextViewerShown(bytes);
}

void TextViewerInit(HWND dialog, const TextViewerState& state) {
  char caption[256] = "";
  LocalString(state.captionString, caption, sizeof caption);
  SetWindowTextA(dialog, caption);
  SetDlgItemTextA(dialog, IDC_TEXT_VIEW, TextViewerRead(state.path).c_str());
  SetDlgItemTextA(dialog, IDC_TEXT_PATH, state.path);
  SetDialogText(dialog, IDS_CLOSE, IDCANCEL);
  PlacementCentre(dialog);
  SetFocus(GetDlgItem(dialog, IDCANCEL));
}

INT_PTR CALLBACK TextViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    TextViewerInit(dialog, *reinterpret_cast<const TextViewerState*>(lParam));
    return FALSE;  // the focus is on Close, not on the whole text selected
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void TextViewerShow(HWND owner, const char* path, int captionString) {
  TextViewerState state = {path, captionString};
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEXT_VIEWER), owner,
                      TextViewerProc, reinterpret_cast<LPARAM>(&state)) < 0)
    TraceNote("text viewer", "dialog not shown");
}
