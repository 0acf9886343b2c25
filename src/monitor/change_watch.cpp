#include "change_watch.h"

#include <algorithm>
#include <new>
#include <set>

#include "foundation/handles.h"
#include "watch_paths.h"

namespace {

// A changed category stays unarmed this long, so a burst of writes costs one re-arm ...
constexpr DWORD kSettleMs = 150;
// ... and is reported once it has then stayed quiet this long ...
constexpr DWORD kQuietMs = 150;
// ... or, when it never quiets down, this long after its first change.
constexpr DWORD kLongestHoldMs = 2500;
constexpr DWORD kKeyFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;
constexpr DWORD kFolderFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
// What the key or folder above a watched one is watched for: the watched one made or deleted.
constexpr DWORD kParentKeyFilter = REG_NOTIFY_CHANGE_NAME;
constexpr DWORD kParentFolderFilter = FILE_NOTIFY_CHANGE_DIR_NAME;

enum class WatchPhase { kArmed, kSettling };

struct CategoryWatch {
  OptionId category = kOptionCount;
  std::vector<std::size_t> places;
  Handle keyEvent;  // shared by every key of the category
  std::vector<RegKey> keys;
  std::vector<ChangeHandle> folders;
  WatchPhase phase = WatchPhase::kArmed;
  DWORD phaseStart = 0;
  bool pending = false;  // a change not reported yet
  DWORD firstChange = 0;
};

struct ChangeWatchState {
  HWND window = nullptr;
  LPARAM generation = 0;
  std::vector<ChangePlace> places;
  std::vector<bool> lost;  // told to the window, until the place is watched again
  std::vector<CategoryWatch> categories;
  Handle stop;
  Handle thread;
};

ChangeWatchState g_watch;

// Keys and folders armed in one pass, so that places sharing a parent arm it once.
using ArmedSet = std::set<std::string>;

std::string ChangeWatchArmedName(HKEY root, const std::string& path, bool subtree,
                                 DWORD filter) {
  std::string name = std::to_string(reinterpret_cast<ULONG_PTR>(root)) + "|" +
                     std::to_string(filter) + (subtree ? "|s|" : "|-|") + path;
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return name;
}

std::size_t ChangeWatchHandleCount() {
  std::size_t count = 1 + g_watch.categories.size();
  for (const CategoryWatch& watch : g_watch.categories) count += watch.folders.size();
  return count;
}

bool ChangeWatchArmOneKey(CategoryWatch& watch, HKEY root, const std::string& path, bool subtree,
                          DWORD filter, ArmedSet& armed) {
  const std::string name = ChangeWatchArmedName(root, path, subtree, filter);
  if (armed.count(name)) return true;
  RegKey key;
  if (!key.Open(root, path.c_str(), KEY_NOTIFY) ||
      RegNotifyChangeKeyValue(key.get(), subtree ? TRUE : FALSE, filter, watch.keyEvent.get(),
                              TRUE) != ERROR_SUCCESS)
    return false;
  watch.keys.push_back(std::move(key));
  armed.insert(name);
  return true;
}

bool ChangeWatchIsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ChangeWatchArmOneFolder(CategoryWatch& watch, const std::string& path, bool subtree,
                             DWORD filter, ArmedSet& armed) {
  const std::string name = ChangeWatchArmedName(nullptr, path, subtree, filter);
  if (armed.count(name)) return true;
  // One wait takes every handle: a folder beyond its limit is left to the timer.
  if (ChangeWatchHandleCount() >= MAXIMUM_WAIT_OBJECTS || !ChangeWatchIsFolder(path))
    return false;
  ChangeHandle folder(FindFirstChangeNotificationA(path.c_str(), subtree ? TRUE : FALSE, filter));
  if (!folder) return false;
  watch.folders.push_back(std::move(folder));
  armed.insert(name);
  return true;
}

// The key itself, or while it is missing the nearest key above it, which tells when it is
// made; and the key above that, since a deleted key does not tell of its own deletion
// everywhere. False when nothing could be armed.
bool ChangeWatchArmKey(CategoryWatch& watch, const ChangePlace& place, ArmedSet& armed) {
  std::string path = place.path;
  bool itself = true;
  while (!ChangeWatchArmOneKey(watch, place.root, path, itself && place.subtree,
                               itself ? kKeyFilter : kParentKeyFilter, armed)) {
    if (!WatchParentKey(path)) return false;
    itself = false;
  }
  if (WatchParentKey(path))
    ChangeWatchArmOneKey(watch, place.root, path, false, kParentKeyFilter, armed);
  return true;
}

// The same for a folder.
bool ChangeWatchArmFolder(CategoryWatch& watch, const ChangePlace& place, ArmedSet& armed) {
  std::string path = place.path;
  bool itself = true;
  while (!ChangeWatchArmOneFolder(watch, path, itself && place.subtree,
                                  itself ? kFolderFilter : kParentFolderFilter, armed)) {
    if (!WatchParentFolder(path)) return false;
    itself = false;
  }
  if (WatchParentFolder(path))
    ChangeWatchArmOneFolder(watch, path, false, kParentFolderFilter, armed);
  return true;
}

void ChangeWatchNoteLost(std::size_t index, bool lost) {
  if (lost && !g_watch.lost[index])
    PostMessageA(g_watch.window, kChangeLostMessage, index, g_watch.generation);
  g_watch.lost[index] = lost;
}

void ChangeWatchArm(CategoryWatch& watch) {
  ArmedSet armed;
  for (std::size_t index : watch.places) {
    const ChangePlace& place = g_watch.places[index];
    const bool watched = place.kind == ChangePlaceKind::kKey
                             ? ChangeWatchArmKey(watch, place, armed)
                             : ChangeWatchArmFolder(watch, place, armed);
    ChangeWatchNoteLost(index, !watched);
  }
  watch.phase = WatchPhase::kArmed;
  watch.phaseStart = GetTickCount();
}

// Closing is also how a key's outstanding notification is dropped: arming it again would
// queue a second one where the first is still waiting.
void ChangeWatchDisarm(CategoryWatch& watch) {
  watch.keys.clear();
  watch.folders.clear();
  // Some systems signal the event for the notification a closed key drops.
  ResetEvent(watch.keyEvent.get());
}

void ChangeWatchSignal(CategoryWatch& watch, DWORD now) {
  ChangeWatchDisarm(watch);
  watch.phase = WatchPhase::kSettling;
  watch.phaseStart = now;
  if (watch.pending) return;
  watch.pending = true;
  watch.firstChange = now;
}

DWORD ChangeWatchLeft(DWORD since, DWORD span, DWORD now) {
  const DWORD passed = now - since;
  return passed >= span ? 0 : span - passed;
}

void ChangeWatchServe(CategoryWatch& watch, DWORD now) {
  if (watch.phase == WatchPhase::kSettling) {
    if (ChangeWatchLeft(watch.phaseStart, kSettleMs, now) > 0) return;
    ChangeWatchArm(watch);
    now = watch.phaseStart;
  }
  if (!watch.pending || (ChangeWatchLeft(watch.phaseStart, kQuietMs, now) > 0 &&
                         ChangeWatchLeft(watch.firstChange, kLongestHoldMs, now) > 0))
    return;
  if (PostMessageA(g_watch.window, kChangeMessage, watch.category, 0))
    watch.pending = false;
  else
    watch.phaseStart = now;  // the window's queue is full: try again after a quiet spell
}

DWORD ChangeWatchTimeout(DWORD now) {
  DWORD timeout = INFINITE;
  for (const CategoryWatch& watch : g_watch.categories) {
    DWORD left = INFINITE;
    if (watch.phase == WatchPhase::kSettling)
      left = ChangeWatchLeft(watch.phaseStart, kSettleMs, now);
    else if (watch.pending)
      left = std::min(ChangeWatchLeft(watch.phaseStart, kQuietMs, now),
                      ChangeWatchLeft(watch.firstChange, kLongestHoldMs, now));
    timeout = std::min(timeout, left);
  }
  return timeout;
}

// False when the watch is to end: stopped, or the wait itself failed.
bool ChangeWatchWaitOnce() {
  HANDLE handles[MAXIMUM_WAIT_OBJECTS];
  CategoryWatch* owners[MAXIMUM_WAIT_OBJECTS] = {};
  DWORD count = 0;
  handles[count++] = g_watch.stop.get();
  for (CategoryWatch& watch : g_watch.categories) {
    if (watch.phase != WatchPhase::kArmed) continue;
    if (!watch.keys.empty() && count < MAXIMUM_WAIT_OBJECTS) {
      owners[count] = &watch;
      handles[count++] = watch.keyEvent.get();
    }
    for (const ChangeHandle& folder : watch.folders) {
      if (count == MAXIMUM_WAIT_OBJECTS) break;
      owners[count] = &watch;
      handles[count++] = folder.get();
    }
  }
  const DWORD result =
      WaitForMultipleObjects(count, handles, FALSE, ChangeWatchTimeout(GetTickCount()));
  if (result == WAIT_OBJECT_0) return false;
  if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count)
    ChangeWatchSignal(*owners[result - WAIT_OBJECT_0], GetTickCount());
  else if (result != WAIT_TIMEOUT)
    return false;
  for (CategoryWatch& watch : g_watch.categories) ChangeWatchServe(watch, GetTickCount());
  return true;
}

DWORD WINAPI ChangeWatchLoop(void*) {
  try {
    for (CategoryWatch& watch : g_watch.categories) ChangeWatchArm(watch);
    while (ChangeWatchWaitOnce()) {
    }
    if (WaitForSingleObject(g_watch.stop.get(), 0) == WAIT_OBJECT_0) return 0;
  } catch (...) {
  }
  // Every category is left to the timer from here on.
  PostMessageA(g_watch.window, kChangeLostMessage, kChangeAllPlaces, g_watch.generation);
  return 1;
}

CategoryWatch& ChangeWatchCategory(OptionId category) {
  for (CategoryWatch& watch : g_watch.categories)
    if (watch.category == category) return watch;
  CategoryWatch& watch = g_watch.categories.emplace_back();
  watch.category = category;
  watch.keyEvent.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  return watch;
}

bool ChangeWatchGroup() {
  for (std::size_t index = 0; index < g_watch.places.size(); ++index)
    ChangeWatchCategory(g_watch.places[index].category).places.push_back(index);
  for (const CategoryWatch& watch : g_watch.categories)
    if (!watch.keyEvent) return false;
  return true;
}

void ChangeWatchClear() {
  g_watch.categories.clear();
  g_watch.places.clear();
  g_watch.lost.clear();
  g_watch.stop.Reset();
}

}  // namespace

bool ChangeWatchStart(HWND window, std::vector<ChangePlace> places) {
  if (g_watch.thread) return false;
  bool grouped = false;
  try {
    g_watch.places = std::move(places);
    g_watch.lost.assign(g_watch.places.size(), false);
    grouped = ChangeWatchGroup();
  } catch (const std::bad_alloc&) {
    grouped = false;
  }
  g_watch.window = window;
  ++g_watch.generation;
  if (grouped) g_watch.stop.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (g_watch.stop)
    g_watch.thread.Reset(CreateThread(nullptr, 0, ChangeWatchLoop, nullptr, 0, nullptr));
  if (g_watch.thread) return true;
  ChangeWatchClear();
  return false;
}

void ChangeWatchStop() {
  if (!g_watch.thread) return;
  SetEvent(g_watch.stop.get());
  // Every wait of the watcher includes the stop event, so joining cannot hang.
  WaitForSingleObject(g_watch.thread.get(), INFINITE);
  g_watch.thread.Reset();
  ChangeWatchClear();
}

bool ChangeWatchRunning() { return static_cast<bool>(g_watch.thread); }

std::string ChangeWatchLostText(WPARAM index, LPARAM generation) {
  if (generation != g_watch.generation) return "";
  if (index == kChangeAllPlaces) return "every place";
  return index < g_watch.places.size() ? ChangePlaceText(g_watch.places[index]) : "";
}
