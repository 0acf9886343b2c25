#include "msgbox.h"

#include "strings.h"
#include "text.h"
#include "trace.h"

namespace {

char g_caption[128] = "";

}  // namespace

void MessageCaptionSet(const char* caption) {
  CopyBounded(g_caption, sizeof g_caption, caption ? caption : "");
}

const char* MessageCaption() { return g_caption; }

int ShowMessage(HWND owner, const char* text, UINT style) {
  g_traceUserWait = true;
  return MessageBoxExA(owner, text, g_caption, style | MB_TOPMOST | MB_SETFOREGROUND,
                       MAKELANGID(g_languageId, SUBLANG_DEFAULT));
}

int ShowStringMessage(HWND owner, int number, UINT style) {
  char text[1024];
  LocalString(number, text, sizeof text);
  return ShowMessage(owner, text, style);
}
