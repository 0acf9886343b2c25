// The snapshots of approved items: one value per item under a per-user key, its data the
// item's code in decimal. Missing or 0 means the item has not been approved yet.
#pragma once
#include <windows.h>

#include "foundation/handles.h"
#include "foundation/settings.h"

inline constexpr int kKnownMissing = -1;

// The number one value holds; kKnownMissing when absent. A value that is there but
// unreadable, too long or not text reads as 0, so that it counts as new.
int KnownItemQuery(HKEY key, const char* name);
void KnownItemWrite(HKEY key, const char* name, int code);

// A snapshot key held open for a whole check: one open instead of one per item. Reads see
// values written meanwhile; a key missing at first is looked for again on each read.
class KnownItemsView {
 public:
  explicit KnownItemsView(const char* snapshotKey);
  bool Approved(const char* name);

 private:
  const char* path_;
  RegKey key_;
};

// Each opening the per-user snapshot key by its path.
void KnownItemRemember(const char* snapshotKey, const char* name, int code);
void KnownItemForget(const char* snapshotKey, const char* name);

// A snapshot filled once carries "P" as its default value. False when the key is marked so;
// otherwise an old unmarked key is emptied, the key is made afresh and true says to fill it.
bool KnownItemsStart(const char* snapshotKey);
