#include "startup/snapshot_table.h"

#include "foundation/handles.h"
#include "foundation/settings.h"

namespace {

// Two writes within one tick of the clock can carry the same time. A key written this
// recently is read again at every check until it has been quiet this long (100 ns units).
constexpr ULONGLONG kQuietSpan = 2ull * 10000000ull;

struct SnapshotKept {
  ValueTable table;
  ULONGLONG written = 0;
  DWORD values = 0;
  bool kept = false;
};

SnapshotKept g_kept;

ULONGLONG SnapshotTime(const FILETIME& time) {
  return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

ULONGLONG SnapshotNow() {
  FILETIME now = {};
  GetSystemTimeAsFileTime(&now);
  return SnapshotTime(now);
}

}  // namespace

const ValueTable& SnapshotTable() {
  RegKey key;
  FILETIME written = {};
  DWORD values = 0;
  if (!key.Open(HKEY_CURRENT_USER, kKnownStartupKey, KEY_QUERY_VALUE) ||
      RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, &written) != ERROR_SUCCESS) {
    g_kept.kept = false;
    g_kept.table.Read(HKEY_CURRENT_USER, kKnownStartupKey);
    return g_kept.table;
  }
  const ULONGLONG writtenAt = SnapshotTime(written);
  if (g_kept.kept && g_kept.written == writtenAt && g_kept.values == values) return g_kept.table;
  g_kept.kept = SnapshotNow() - writtenAt > kQuietSpan;
  g_kept.written = writtenAt;
  g_kept.values = values;
  g_kept.table.Read(HKEY_CURRENT_USER, kKnownStartupKey);
  return g_kept.table;
}
