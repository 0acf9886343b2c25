#include "categories/cookies_review.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/cookies_nuts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/user_hooks.h"
#include "startup/item_list.h"

namespace {

constexpr DWORD kKeptDataSize = 16;

// A title is a file name of the cookie folder; one that reaches out of it is not removed.
bool CookiesIsFileName(const char* title) {
  return std::strpbrk(title, "\\/:") == nullptr && std::strcmp(title, ".") != 0 &&
         std::strcmp(title, "..") != 0;
}

int CookiesRemoveIEFile(const char* title) {
  char folder[kPathSize];
  if (!CookiesIsFileName(title) || !FindIECookieFolder(folder, sizeof folder)) return 0;
  const std::string path = std::string(folder) + title;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) ? 1 : 0;
}

bool CookiesKept(HKEY store, const char* title) {
  char data[kKeptDataSize] = "";
  DWORD size = kKeptDataSize;
  const LONG status = RegQueryValueExA(store, title, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(data), &size);
  return status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && size > 0 && data[0] != '\0');
}

}  // namespace

int CookiesRemove(const char* title) {
  if (title == nullptr || title[0] == '\0') return 0;
  SettingsDeleteValue(HKEY_CURRENT_USER, kKeptCookiesKey, title);
  if (CookieKindGet() == kCookieKindIE) return CookiesRemoveIEFile(title);
  return NutsWrite(title, kNutOnce);
}

int CookiesKeep(const char* title) {
  if (title == nullptr || title[0] == '\0') return 0;
  return SettingsWriteString(HKEY_CURRENT_USER, kKeptCookiesKey, title, "1");
}

bool CookieIsKept(const char* title) {
  if (title == nullptr || title[0] == '\0') return false;
  RegKey store;
  return store.Open(HKEY_CURRENT_USER, kKeptCookiesKey, KEY_QUERY_VALUE) &&
         CookiesKept(store.get(), title);
}

int CookiesFirstUnkept() {
  RegKey store;
  store.Open(HKEY_CURRENT_USER, kKeptCookiesKey, KEY_QUERY_VALUE);
  for (int i = 0; i < ItemCount(); ++i) {
    char title[kItemTitleSize];
    ItemTitle(i, title);
    if (!store || !CookiesKept(store.get(), title)) return i;
  }
  return -1;
}

bool CookiesAskReview(bool noToAll) {
  EnumerateCookies(0);
  if (CookiesFirstUnkept() < 0) return false;
  return !noToAll && UserAskCookieReview();
}
