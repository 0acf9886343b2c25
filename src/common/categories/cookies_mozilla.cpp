#include "categories/cookies_mozilla.h"

#include <windows.h>

#include <string>

#include "categories/cookies.h"
#include "categories/cookies_folders.h"
#include "categories/cookies_mozilla_undo.h"
#include "categories/cookies_nuts.h"
#include "cookie_lines_text.h"
#include "cookies_text.h"
#include "foundation/datetime.h"
#include "foundation/filefacts.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "foundation/trace.h"
#include "resource.h"
#include "startup/item_list.h"
#include "text.h"

namespace {

constexpr char kCookiesFile[] = "\\cookies.txt";
constexpr char kCookiesNewFile[] = "\\cookiesnew.txt";
constexpr char kMozillaWindowClass[] = "MozillaWindowClass";
constexpr DWORD kReadChunk = 1u << 20;
constexpr std::size_t kFilteredMemoMax = 1u << 20;

// The filtered file as this process last wrote or found it, kept while small: the sweep
// filters on every cycle, mostly to the same result, which is then told without reading the
// file again.
struct MozillaFilteredMemo {
  std::string path;
  std::string text;
  FileStamp stamp;
};
MozillaFilteredMemo g_filteredMemo;

// The flag as this process last set it, with the cookies file as it was then: while both hold,
// the flag need not be written again. Clearing it through SetUpdateCookieFile forgets this.
struct MozillaFlagMemo {
  std::string source;
  FileStamp stamp;
};
MozillaFlagMemo g_flagMemo;

// The profile folder without a trailing backslash; empty when none.
std::string MozillaFolder() {
  char folder[kPathSize] = "";
  if (!FindMozillaProfileFolder(folder, sizeof folder)) return {};
  std::string path = folder;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

DWORD MozillaChunk(std::size_t left) {
  return static_cast<DWORD>(left < kReadChunk ? left : kReadChunk);
}

// At most limit bytes; with whole, a longer file is refused rather than cut.
bool MozillaRead(const std::string& path, std::size_t limit, bool whole, std::string& text) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
  const auto length = static_cast<unsigned long long>(size.QuadPart);
  if (whole && length > limit) return false;
  text.resize(length < limit ? static_cast<std::size_t>(length) : limit);
  std::size_t done = 0;
  while (done < text.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), text.data() + done, MozillaChunk(text.size() - done), &got,
                  nullptr) ||
        got == 0)
      break;
    done += got;
  }
  text.resize(done);
  return true;
}

bool MozillaWrite(const std::string& path, const std::string& text) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    DWORD put = 0;
    if (!WriteFile(file.get(), text.data() + done, MozillaChunk(text.size() - done), &put,
                   nullptr) ||
        put == 0)
      return false;
    done += put;
  }
  return true;
}

void MozillaAdd(const CookieFields& fields) {
  const std::string title = CookieTitle(fields);
  const std::string path(fields.path.substr(0, kItemCommandSize - 1));
  const std::string value(fields.value.substr(0, kNutTextMax));
  char expires[kDateTimeTextSize] = "";
  SYSTEMTIME time;
  if (UnixSecondsToCalendar(CookieExpirySeconds(fields.expiry), &time))
    FormatDateTime(time, expires);
  ItemAdd(title.c_str(), path.c_str(), value.c_str(), expires, kCookieMozillaCode,
          CookieSecure(fields.secure) ? 1 : 0);
}

int MozillaList(const std::string& folder) {
  std::string text;
  if (!MozillaRead(folder + kCookiesFile, kCookieFileListMax, false, text)) return 0;
  CookieForEachLine(text, [](std::string_view line) {
    CookieFields fields;
    if (ItemCount() < kItemListMax && CookieLineFields(line, fields)) MozillaAdd(fields);
  });
  return ItemCount();
}

bool MozillaMemoHolds(const std::string& path, const FileStamp& stamp,
                      const std::string& text) {
  return g_filteredMemo.path == path && FileStampSame(g_filteredMemo.stamp, stamp) &&
         g_filteredMemo.text == text;
}

// A filtered file that already holds these bytes is left as it is.
bool MozillaSameFile(const std::string& path, const FileStamp& stamp, const std::string& text) {
  if (!stamp.valid || stamp.size != text.size()) return false;
  std::string old;
  return MozillaRead(path, text.size(), true, old) && old == text;
}

void MozillaRememberFiltered(const std::string& path, const std::string& text) {
  g_filteredMemo = {};
  if (text.size() > kFilteredMemoMax) return;
  g_filteredMemo.stamp = FileStampOf(path.c_str());
  if (!g_filteredMemo.stamp.valid) return;
  g_filteredMemo.path = path;
  g_filteredMemo.text = text;
}

// dropped: when given, the lines the filtered file leaves out.
bool MozillaWriteFiltered(const std::string& folder, std::string* dropped = nullptr) {
  std::string text;
  if (!MozillaRead(folder + kCookiesFile, kCookieFilterReadMax, true, text)) return false;
  const std::string filtered = CookieFilterText(text, NutsLoaded());
  if (dropped != nullptr) *dropped = CookieLinesDropped(text, NutsLoaded());
  const std::string path = folder + kCookiesNewFile;
  const FileStamp stamp = FileStampOf(path.c_str());
  if (MozillaMemoHolds(path, stamp, filtered)) return true;
  if (!MozillaSameFile(path, stamp, filtered) && !MozillaWrite(path, filtered)) return false;
  MozillaRememberFiltered(path, filtered);
  return true;
}

// sourceStamp: the cookies file as it was before it was filtered.
void MozillaMarkForUpdate(const std::string& source, const FileStamp& sourceStamp) {
  if (g_flagMemo.source == source && FileStampSame(g_flagMemo.stamp, sourceStamp)) return;
  g_flagMemo = {};
  if (SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, kUpdateCookieFileValue, "1"))
    g_flagMemo = {source, sourceStamp};
}

bool MozillaWindowOpen() {
  char windowClass[64] = "";
  if (LocalString(IDS_MOZILLA_CLASS, windowClass, sizeof windowClass) == 0)
    CopyBounded(windowClass, sizeof windowClass, kMozillaWindowClass);
  return FindWindowA(windowClass, nullptr) != nullptr;
}

}  // namespace

int MozillaEnumerate(bool filter) {
  const std::string folder = MozillaFolder();
  if (folder.empty()) return 0;
  if (!filter) return MozillaList(folder);
  const std::string source = folder + kCookiesFile;
  const FileStamp sourceStamp = FileStampOf(source.c_str());
  if (MozillaWriteFiltered(folder)) MozillaMarkForUpdate(source, sourceStamp);
  return ItemCount();
}

void SetUpdateCookieFile(bool on) {
  g_flagMemo = {};
  if (on)
    SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, kUpdateCookieFileValue, "1");
  else
    SettingsDeleteValue(HKEY_CURRENT_USER, kOptionsKey, kUpdateCookieFileValue);
}

// Filtered again rather than copied as the explorer left it: the browser writes its file when
// it closes, and an older filtered copy would wipe every cookie that came since.
int ReplaceMozillaCookieFile() {
  if (OptionGet(kUpdateCookieFileValue, 0) <= 0 || MozillaWindowOpen()) return 0;
  const std::string folder = MozillaFolder();
  if (folder.empty()) return 0;
  LoadNuts();
  std::string dropped;
  const bool written = MozillaWriteFiltered(folder, &dropped);
  FreeNuts();
  if (!written) return 0;
  const std::string target = folder + kCookiesFile;
  if (!dropped.empty() && !MozillaUndoRecord(target, dropped))
    TraceNote("cookies", "the lines the filter drops could not be kept for undo");
  if (!CopyFileA((folder + kCookiesNewFile).c_str(), target.c_str(), FALSE)) return 0;
  if (!dropped.empty()) MozillaUndoRemovedLine(target, dropped);
  return 1;
}
