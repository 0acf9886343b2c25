#include "process_watch.h"

#include <psapi.h>

#include <algorithm>
#include <cstddef>
#include <new>
#include <vector>

#include "foundation/handles.h"

namespace {

inline constexpr DWORD kLookIntervalMs = 1000;
inline constexpr std::size_t kFirstIdCapacity = 1024;

struct ProcessWatch {
  HWND target = nullptr;
  UINT message = 0;
  Handle stop;
  Handle thread;
  std::vector<DWORD> known;
};

ProcessWatch g_watch;

std::vector<DWORD> ProcessWatchIds() {
  std::vector<DWORD> ids(kFirstIdCapacity);
  for (;;) {
    const DWORD capacity = static_cast<DWORD>(ids.size() * sizeof(DWORD));
    DWORD used = 0;
    if (!EnumProcesses(ids.data(), capacity, &used)) return {};
    // A full buffer may have cut the list short.
    if (used < capacity) {
      ids.resize(used / sizeof(DWORD));
      break;
    }
    ids.resize(ids.size() * 2);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

void ProcessWatchLook() {
  std::vector<DWORD> now = ProcessWatchIds();
  // An empty look is a failed snapshot, not a system without processes.
  if (now.empty()) return;
  const bool appeared = !std::includes(g_watch.known.begin(), g_watch.known.end(),
                                       now.begin(), now.end());
  g_watch.known.swap(now);
  if (appeared) PostMessageA(g_watch.target, g_watch.message, 0, 0);
}

DWORD WINAPI ProcessWatchLoop(void*) {
  try {
    while (WaitForSingleObject(g_watch.stop.get(), kLookIntervalMs) == WAIT_TIMEOUT)
      ProcessWatchLook();
  } catch (...) {
    return 1;
  }
  return 0;
}

}  // namespace

bool ProcessWatchStart(HWND target, UINT message) {
  if (g_watch.thread) return false;
  try {
    g_watch.known = ProcessWatchIds();
  } catch (const std::bad_alloc&) {
    return false;
  }
  g_watch.target = target;
  g_watch.message = message;
  g_watch.stop.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (g_watch.stop)
    g_watch.thread.Reset(CreateThread(nullptr, 0, ProcessWatchLoop, nullptr, 0, nullptr));
  if (g_watch.thread) return true;
  g_watch.stop.Reset();
  return false;
}

void ProcessWatchStop() {
  if (!g_watch.thread) return;
  SetEvent(g_watch.stop.get());
  // The watcher only ever waits on the stop event, so joining cannot hang.
  WaitForSingleObject(g_watch.thread.get(), INFINITE);
  g_watch.thread.Reset();
  g_watch.stop.Reset();
}
