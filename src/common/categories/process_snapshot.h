// The running programs read in one process walk, for a caller that asks of many programs
// whether they run: one walk answers them all, where each question would walk again.
#pragma once
#include <string>
#include <vector>

#include "foundation/paths.h"

// A process (or 16-bit task) as the file match sees it.
struct SnapshotProcess {
  unsigned long processId = 0;
  std::string longForm;  // the normalised program path in its long form
  std::string fileName;  // the bare file name of the path as the walk read it
};

struct ProcessSnapshot {
  CommandFolders folders;  // read once, for every command the snapshot normalises
  std::vector<SnapshotProcess> processes;  // in walk order
};

ProcessSnapshot ProcessSnapshotRead();
// False when the path is empty: such a process runs nothing a caller can name.
bool ProcessSnapshotEntry(const CommandFolders& folders, unsigned long processId,
                          const char* path, SnapshotProcess& out);
// Whether the process runs the program, given as a normalised command: the long form of its
// path equals it, or it is the bare file name of the process's path.
bool ProcessSnapshotMatches(const SnapshotProcess& process, const char* normalised);
// The id of the first process that runs the program (any command form); 0 when none.
unsigned long ProcessSnapshotFind(const ProcessSnapshot& snapshot, const char* command);
