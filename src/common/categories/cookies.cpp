#include "categories/cookies.h"

#include <windows.h>

#include <string>
#include <string_view>

#include "categories/cookies_folders.h"
#include "categories/cookies_mozilla.h"
#include "categories/cookies_nuts.h"
#include "categories/cookies_undo.h"
#include "datetime_text.h"
#include "foundation/datetime.h"
#include "foundation/paths.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr std::string_view kCookieFileEnd = ".txt";
constexpr int kCreatedTextSize = 256;

int g_cookieKind = kCookieKindIE;

bool CookieIsFile(const WIN32_FIND_DATAA& found) {
  if ((found.dwFileAttributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY)) != 0)
    return false;
  const std::string_view name(found.cFileName);
  return name.size() >= kCookieFileEnd.size() &&
         EqualsNoCase(name.substr(name.size() - kCookieFileEnd.size()), kCookieFileEnd);
}

// The creation time the walk already holds: the same as opening each file for it, without
// the cost of one open per cookie.
void CookieCreatedText(const FILETIME& created, char* out) {
  out[0] = '\0';
  SYSTEMTIME local;
  if (!LocalCalendarOfFileTime(created, &local)) return;
  const CalendarTime time{local.wYear, local.wMonth,  local.wDayOfWeek, local.wDay,
                          local.wHour, local.wMinute, local.wSecond,    local.wMilliseconds};
  CopyBounded(out, kCreatedTextSize, CreatedStampText(time));
}

bool CookieAddIE(const WIN32_FIND_DATAA& found, const std::string& path) {
  char created[kCreatedTextSize];
  CookieCreatedText(found.ftCreationTime, created);
  return ItemAdd(found.cFileName, path.c_str(), "", created, kItemCookieCode, 0) != 0;
}

void CookieDeleteFile(const char* name, const std::string& path) {
  CookieUndoRecord(name, path);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(path.c_str())) CookieRemovedLine(name, path);
}

// A path too long for the item list is still filtered, but not listed under a cut name.
int CookieEnumerateIE(bool filter) {
  char folder[kPathSize];
  if (!FindIECookieFolder(folder, sizeof folder)) return 0;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((std::string(folder) + "*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  bool full = false;
  do {
    if (!CookieIsFile(found)) continue;
    const std::string path = std::string(folder) + found.cFileName;
    // The file's name only: the folder's path is the same for every cookie.
    if (filter && MatchesNut(found.cFileName)) {
      CookieDeleteFile(found.cFileName, path);
      continue;
    }
    if (!full && path.size() < kItemCommandSize) full = !CookieAddIE(found, path);
  } while ((filter || !full) && FindNextFileA(search, &found));
  FindClose(search);
  return ItemCount();
}

}  // namespace

int CookieKindOfBrowser(int browserKind) {
  switch (browserKind) {
    case kBrowserNetscape:
    case kBrowserFirefox:
    case kBrowserMozilla:
      return kCookieKindMozilla;
    default:
      return kCookieKindIE;
  }
}

void CookieKindSet(int kind) {
  g_cookieKind = kind == kCookieKindMozilla ? kCookieKindMozilla : kCookieKindIE;
}

int CookieKindGet() { return g_cookieKind; }

int EnumerateCookies(int filter) {
  ItemListClear();
  if (filter > 0) LoadNuts();
  const int count = g_cookieKind == kCookieKindIE ? CookieEnumerateIE(filter > 0)
                                                  : MozillaEnumerate(filter > 0);
  if (filter > 0) FreeNuts();
  return count;
}
