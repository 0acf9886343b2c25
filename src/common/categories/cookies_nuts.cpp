#include "categories/cookies_nuts.h"

#include <windows.h>

#include <string>
#include <vector>

#include "categories/cookies.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "text.h"

namespace {

// Far above any list a user builds; a hostile key of millions of values cannot stall a
// filtering run.
constexpr DWORD kNutsMax = 16384;
constexpr DWORD kNutNameSize = kNutTextMax + 1;
constexpr DWORD kNutDataSize = 16;

// The list as last read, with the key's last write and value count at that time: every
// change of a Nut changes the first, so an unchanged key need not be walked again.
struct NutsStamp {
  FILETIME written = {};
  DWORD values = 0;
  bool valid = false;
};
CookieNuts g_nuts;
NutsStamp g_nutsStamp;
bool g_nutsLoaded = false;

// The key stays open from one load to the next, so that its stamp is one query: the sweep
// filters on every cycle. A key deleted meanwhile fails the query and is opened anew.
RegKey g_nutsKey;

NutsStamp NutsStampQuery(HKEY key) {
  NutsStamp stamp;
  stamp.valid = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 &stamp.values, nullptr, nullptr, nullptr,
                                 &stamp.written) == ERROR_SUCCESS;
  return stamp;
}

NutsStamp NutsStampRead() {
  if (g_nutsKey) {
    const NutsStamp stamp = NutsStampQuery(g_nutsKey.get());
    if (stamp.valid) return stamp;
  }
  if (!g_nutsKey.Open(HKEY_CURRENT_USER, kNutsKey, KEY_QUERY_VALUE)) return {};
  return NutsStampQuery(g_nutsKey.get());
}

bool NutsStampSame(const NutsStamp& a, const NutsStamp& b) {
  return a.valid && b.valid && a.values == b.values &&
         CompareFileTime(&a.written, &b.written) == 0;
}

// Calls visit(name, data) for each value of the Nuts key whose name fits; data is empty when
// it does not fit either.
template <class Visit>
void NutsWalk(Visit visit) {
  RegKey key;
  if (!key.Open(HKEY_CURRENT_USER, kNutsKey, KEY_READ)) return;
  for (DWORD index = 0; index < kNutsMax; ++index) {
    char name[kNutNameSize] = "";
    DWORD nameLength = kNutNameSize;
    char data[kNutDataSize] = "";
    DWORD dataSize = kNutDataSize - 1;
    LONG status = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, nullptr,
                                reinterpret_cast<BYTE*>(data), &dataSize);
    if (status == ERROR_MORE_DATA) {
      nameLength = kNutNameSize;
      status = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                             nullptr);
      data[0] = '\0';
    }
    if (status == ERROR_NO_MORE_ITEMS) return;
    if (status != ERROR_SUCCESS) continue;
    data[dataSize < kNutDataSize ? dataSize : kNutDataSize - 1] = '\0';
    visit(std::string(name, nameLength), data);
  }
}

}  // namespace

void LoadNuts() {
  g_nutsLoaded = true;
  const NutsStamp stamp = NutsStampRead();
  if (NutsStampSame(stamp, g_nutsStamp)) return;
  g_nuts = {};
  NutsWalk([](const std::string& name, const char*) { CookieNutsAdd(g_nuts, name); });
  g_nutsStamp = stamp;
}

void FreeNuts() { g_nutsLoaded = false; }

const CookieNuts& NutsLoaded() {
  static const CookieNuts kNoNuts;
  return g_nutsLoaded ? g_nuts : kNoNuts;
}

bool MatchesNut(const char* text) { return CookieNutMatches(NutsLoaded(), text ? text : ""); }

std::vector<std::string> NutsTexts(int number) {
  std::vector<std::string> texts;
  NutsWalk([&](const std::string& name, const char* data) {
    if (!name.empty() && ParseDecimal(data) == number) texts.push_back(name);
  });
  return texts;
}

void DropOnceNuts() {
  std::vector<std::string> once;
  NutsWalk([&](const std::string& name, const char* data) {
    if (ParseDecimal(data) == kNutOnce) once.push_back(name);
  });
  for (const std::string& name : once)
    SettingsDeleteValue(HKEY_CURRENT_USER, kNutsKey, name.c_str());
}

int NutsWrite(const char* text, int number) {
  if (text == nullptr || text[0] == '\0') return 0;
  char name[kNutNameSize];
  CopyBounded(name, sizeof name, text);
  const char data[2] = {static_cast<char>('0' + (number == kNutOnce ? kNutOnce : kNutAlways)),
                        '\0'};
  return SettingsWriteString(HKEY_CURRENT_USER, kNutsKey, name, data);
}

int AddNut(const char* text) {
  if (text == nullptr || !CookieFilterAcceptable(text)) return 0;
  if (!NutsWrite(text, kNutAlways)) return 0;
  EnumerateCookies(1);
  return 1;
}

int RemoveNut(const char* text) {
  if (text == nullptr || text[0] == '\0') return 0;
  return SettingsDeleteValue(HKEY_CURRENT_USER, kNutsKey, text);
}

void CookieListFree() { FreeNuts(); }
