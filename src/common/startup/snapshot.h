// The known-startup snapshot and the test for new entries.
#pragma once

inline constexpr int kDelayedMarker = 1103;
inline constexpr int kSnapshotMissing = -1;

int SnapshotName(const char* command, char* out260);
// The number stored for an entry (command first, then title), or kSnapshotMissing.
int SnapshotLookup(const char* title, const char* command);
int StartupChanged();
void RebuildKnownEntries();
void ResetKnownEntries();
