#include "categories/file_types_undo.h"

#include <string>

#include "item_codes.h"
#include "records/history.h"
#include "records/undo_registry.h"
#include "records/undo_store.h"

bool FileTypeUndoRecord(const char* ext, const char* command, const FileTypeUndoPlaces& places) {
  if (ext == nullptr || places.progKey == nullptr) return false;
  UndoLineKey line;
  line.actions = {kActFileTypeRestore};
  line.typeCode = kFileTypeCode;
  line.title = ext;
  line.command = command ? command : "";
  UndoParts parts = {{kUndoPartRegistryValue,
                      UndoRegistryValueCapture(places.progRoot, places.progKey, places.progValue)}};
  if (places.commandKey != nullptr && places.commandKey[0] != '\0')
    parts.push_back({kUndoPartRegistryValue,
                     UndoRegistryValueCapture(places.commandRoot, places.commandKey, nullptr)});
  return UndoStoreKeep(line, parts);
}

void FileTypeRestoredLine(const char* ext, const char* command, const char* replaced) {
  HistoryWrite(ext, command ? command : "", replaced ? replaced : "", kFileTypeCode,
               kActFileTypeRestore);
}
