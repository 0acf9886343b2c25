#include "picture_buttons.h"

#include <uxtheme.h>
#include <windowsx.h>

#include <cstring>
#include <initializer_list>

#include "explorer_art.h"
#include "resource.h"

namespace {

// Window properties of a picture: its three images and the command it sends.
enum PictureProperty : ATOM {
  kImageNormal = 10000,
  kImageHover = 10001,
  kImagePressed = 10002,
  kCommandHelp = 10003,
  kCommandOther = 10004,
};

inline constexpr COLORREF kShadowColour = RGB(192, 192, 192);
inline constexpr COLORREF kLinkColour = RGB(0, 0, 64);
inline constexpr COLORREF kLinkHoverColour = RGB(0, 0, 255);
inline constexpr int kCaptionSize = 256;

struct PictureImages {
  int normal, hover, pressed;
};

HWND g_hoveredPicture = nullptr;
HWND g_heldPicture = nullptr;
HWND g_hoveredLink = nullptr;

LPCSTR Property(ATOM atom) { return MAKEINTATOM(atom); }

PictureImages ImagesFor(PictureKind kind) {
  switch (kind) {
    case PictureKind::Help: return {IDB_HELP, IDB_HELP_HOVER, IDB_HELP_PRESSED};
    case PictureKind::Monitor: return {IDB_MONITOR_OFF, IDB_MONITOR_HOVER, IDB_MONITOR_HOVER};
    case PictureKind::Folder: return {IDB_FOLDER, IDB_FOLDER_HOVER, IDB_FOLDER_PRESSED};
  }
  return {IDB_HELP, IDB_HELP_HOVER, IDB_HELP_PRESSED};
}

bool IsPicture(HWND control) {
  return control != nullptr && GetPropA(control, Property(kImageNormal)) != nullptr;
}

bool IsLinkButton(HWND control) {
  if (control == nullptr) return false;
  char className[16] = "";
  if (GetClassNameA(control, className, sizeof className) == 0) return false;
  return lstrcmpiA(className, "Button") == 0 &&
         (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

void ShowImage(HWND picture, ATOM which) {
  if (HANDLE image = GetPropA(picture, Property(which)))
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
}

// The help picture shows its third image under the cursor, the others their second.
ATOM HoverImageOf(HWND picture) {
  return GetPropA(picture, Property(kCommandHelp)) != nullptr ? kImagePressed : kImageHover;
}

HWND PictureUnder(HWND page, LPARAM lParam) {
  const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  HWND control = ChildWindowFromPointEx(page, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
  return control != page && IsPicture(control) ? control : nullptr;
}

void ForgetHover() {
  if (g_hoveredPicture != nullptr && IsWindow(g_hoveredPicture))
    ShowImage(g_hoveredPicture, kImageNormal);
  g_hoveredPicture = nullptr;
}

void TrackLeave(HWND page) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, page, 0};
  TrackMouseEvent(&track);
}

bool PictureMove(HWND page, LPARAM lParam) {
  if (g_heldPicture != nullptr) return true;
  HWND picture = PictureUnder(page, lParam);
  if (picture == g_hoveredPicture) return picture != nullptr;
  ForgetHover();
  if (picture == nullptr) return false;
  ShowImage(picture, HoverImageOf(picture));
  g_hoveredPicture = picture;
  TrackLeave(page);
  return true;
}

bool PictureDown(HWND page, LPARAM lParam) {
  HWND picture = PictureUnder(page, lParam);
  if (picture == nullptr) return false;
  ShowImage(picture, kImageHover);
  g_heldPicture = picture;
  SetCapture(page);
  return true;
}

bool PictureUp(HWND page, LPARAM lParam) {
  HWND held = g_heldPicture;
  g_heldPicture = nullptr;
  if (GetCapture() == page) ReleaseCapture();
  HWND picture = PictureUnder(page, lParam);
  if (held != nullptr && held != picture) ShowImage(held, kImageNormal);
  if (picture == nullptr) return held != nullptr;
  ShowImage(picture, kImageNormal);
  HANDLE command = GetPropA(picture, Property(kCommandHelp));
  if (command == nullptr) command = GetPropA(picture, Property(kCommandOther));
  const WORD id = static_cast<WORD>(reinterpret_cast<INT_PTR>(command));
  SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(picture));
  return true;
}

void RepaintLink(HWND link) {
  if (link != nullptr && IsWindow(link)) InvalidateRect(link, nullptr, TRUE);
}

// The link under the cursor turns bright; the one left behind goes back to dark blue.
bool CursorOver(HWND page, HWND control) {
  HWND link = IsLinkButton(control) ? control : nullptr;
  if (link != g_hoveredLink) {
    HWND previous = g_hoveredLink;
    g_hoveredLink = link;
    RepaintLink(previous);
    RepaintLink(link);
  }
  if (link == nullptr) return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
  return true;
}

void DrawLinkText(HDC dc, const char* caption, RECT rect, COLORREF colour, UINT format) {
  SetTextColor(dc, colour);
  DrawTextA(dc, caption, -1, &rect, format);
}

}  // namespace

void PictureButtonAttach(HWND page, int control, PictureKind kind, int command) {
  HWND picture = GetDlgItem(page, control);
  if (picture == nullptr) return;
  const PictureImages images = ImagesFor(kind);
  SetPropA(picture, Property(kImageNormal), ExplorerBitmap(images.normal));
  SetPropA(picture, Property(kImageHover), ExplorerBitmap(images.hover));
  SetPropA(picture, Property(kImagePressed), ExplorerBitmap(images.pressed));
  const bool helpLike = kind == PictureKind::Help || control == IDC_HELP_PICTURE;
  SetPropA(picture, Property(helpLike ? kCommandHelp : kCommandOther),
           reinterpret_cast<HANDLE>(static_cast<INT_PTR>(command)));
  ShowImage(picture, kImageNormal);
}

void PictureButtonDetach(HWND page, int control) {
  HWND picture = GetDlgItem(page, control);
  if (picture == nullptr) return;
  for (ATOM property : {kImageNormal, kImageHover, kImagePressed, kCommandHelp, kCommandOther})
    RemovePropA(picture, Property(property));
  if (g_hoveredPicture == picture) g_hoveredPicture = nullptr;
  if (g_heldPicture == picture) g_heldPicture = nullptr;
}

void PictureButtonSetMonitor(HWND page, int control, bool on, bool realtime) {
  HWND picture = GetDlgItem(page, control);
  if (picture == nullptr) return;
  const int normal = !on ? IDB_MONITOR_OFF : realtime ? IDB_MONITOR_REALTIME : IDB_MONITOR_ON;
  SetPropA(picture, Property(kImageNormal), ExplorerBitmap(normal));
  if (g_hoveredPicture != picture) ShowImage(picture, kImageNormal);
}

bool PictureButtonMouse(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE: return PictureMove(page, lParam);
    case WM_MOUSELEAVE:
      if (g_heldPicture == nullptr) ForgetHover();
      return false;
    case WM_LBUTTONDOWN: return PictureDown(page, lParam);
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: return PictureUp(page, lParam);
    case WM_SETCURSOR: return CursorOver(page, reinterpret_cast<HWND>(wParam));
    default: return false;
  }
}

bool LinkButtonDraw(const DRAWITEMSTRUCT* draw) {
  if (draw == nullptr || draw->CtlType != ODT_BUTTON) return false;
  HDC dc = draw->hDC;
  RECT rect = draw->rcItem;
  if (FAILED(DrawThemeParentBackground(draw->hwndItem, dc, &rect)))
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  char caption[kCaptionSize] = "";
  GetWindowTextA(draw->hwndItem, caption, sizeof caption);
  UINT format = std::strchr(caption, '\n') != nullptr
                    ? DT_WORDBREAK
                    : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if ((draw->itemState & ODS_NOACCEL) != 0) format |= DT_HIDEPREFIX;
  HFONT font = ExplorerFont(kFontLink);
  HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  RECT shadow = rect;
  OffsetRect(&shadow, 1, 1);
  DrawLinkText(dc, caption, shadow, kShadowColour, format);
  const bool hovered = draw->hwndItem == g_hoveredLink;
  DrawLinkText(dc, caption, rect, hovered ? kLinkHoverColour : kLinkColour, format);
  if (previous != nullptr) SelectObject(dc, previous);
  if ((draw->itemState & ODS_FOCUS) != 0 && (draw->itemState & ODS_NOFOCUSRECT) == 0)
    DrawFocusRect(dc, &rect);
  return true;
}
