// The known-startup snapshot and the test for new entries.
#pragma once

inline constexpr int kDelayedMarker = 1103;
inline constexpr int kSnapshotMissing = -1;

int SnapshotName(const char* command, char* out260);
// The number stored for an entry (command first, then title), or kSnapshotMissing.
int SnapshotLookup(const char* title, const char* command);
int StartupChanged();
// Marks an entry known at its location: the value named SnapshotName(command) = code.
int SnapshotMarkKnown(const char* command, int code);
// Forgets an entry: the values named by the command (as given and as SnapshotName) and title.
void SnapshotForget(const char* title, const char* command);
void RebuildKnownEntries();
void ResetKnownEntries();
