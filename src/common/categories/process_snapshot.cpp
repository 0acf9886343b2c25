#include "categories/process_snapshot.h"

#include <cstring>
#include <new>

#include "categories/active_tasks.h"
#include "foundation/paths.h"
#include "paths_text.h"
#include "text.h"

namespace {

bool ProcessSnapshotVisit(unsigned long processId, unsigned short, const char* path,
                          void* context) {
  auto& snapshot = *static_cast<ProcessSnapshot*>(context);
  try {
    SnapshotProcess process;
    if (ProcessSnapshotEntry(snapshot.folders, processId, path, process))
      snapshot.processes.push_back(std::move(process));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

// The short alias the system makes for a long name always carries a '~'; a path without one
// is its own long form, and asking the disk for every process's path costs more than the walk.
void ProcessSnapshotLongForm(const char* command, std::string& longForm) {
  char found[kPathSize];
  if (std::strchr(command, '~') != nullptr && LongPath(command, found, sizeof found) > 0)
    longForm = found;
  else
    longForm = command;
}

}  // namespace

ProcessSnapshot ProcessSnapshotRead() {
  ProcessSnapshot snapshot;
  CommandFoldersRead(snapshot.folders);
  WalkProcessImages(ProcessSnapshotVisit, &snapshot);
  return snapshot;
}

bool ProcessSnapshotEntry(const CommandFolders& folders, unsigned long processId,
                          const char* path, SnapshotProcess& out) {
  if (path == nullptr || path[0] == '\0') return false;
  char command[kPathSize];
  NormaliseCommandIn(folders, path, command, sizeof command);
  out.processId = processId;
  ProcessSnapshotLongForm(command, out.longForm);
  FileNamePart(path, out.fileName);
  return true;
}

bool ProcessSnapshotMatches(const SnapshotProcess& process, const char* normalised) {
  return EqualsNoCase(process.longForm, normalised) || EqualsNoCase(normalised, process.fileName);
}

unsigned long ProcessSnapshotFind(const ProcessSnapshot& snapshot, const char* command) {
  char target[kPathSize];
  if (command == nullptr || NormaliseCommandIn(snapshot.folders, command, target, sizeof target) == 0)
    return 0;
  for (const SnapshotProcess& process : snapshot.processes)
    if (ProcessSnapshotMatches(process, target)) return process.processId;
  return 0;
}
