#include "categories/system_files_undo.h"

#include "item_codes.h"
#include "records/history.h"
#include "records/undo_file.h"
#include "records/undo_store.h"

bool SystemFileUndoRecord(const char* name, const char* path) {
  if (name == nullptr || path == nullptr || path[0] == '\0') return false;
  UndoLineKey line;
  line.actions = {kActSystemFileReject};
  line.typeCode = kHistoryTypeUnknown;
  line.title = name;
  line.command = path;
  return UndoStoreKeep(line, {{kUndoPartFile, UndoFileCapture(path)}});
}

void SystemFileRejectedLine(const char* name, const char* path) {
  HistoryWrite(name, path, "", kHistoryTypeUnknown, kActSystemFileReject);
}
