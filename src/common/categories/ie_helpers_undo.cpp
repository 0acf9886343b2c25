#include "categories/ie_helpers_undo.h"

#include <windows.h>

#include <string>

#include "categories/ie_helpers.h"
#include "records/history.h"
#include "records/undo_registry.h"
#include "records/undo_store.h"

namespace {

constexpr char kClassesKey[] = "CLSID\\";

std::string IEHelperUndoEntry(int code, const char* key) {
  if (code == kTypeToolbar)
    return UndoRegistryValueCapture(HKEY_LOCAL_MACHINE, kToolbarKey, key);
  const char* parent = code == kTypeExtension ? kExtensionsKey : kBHOKey;
  return UndoRegistryCapture(HKEY_LOCAL_MACHINE, (std::string(parent) + "\\" + key).c_str());
}

}  // namespace

bool IEHelperUndoRecord(int code, const char* key, const char* title, const char* command) {
  if (key == nullptr || key[0] == '\0' || command == nullptr) return false;
  UndoLineKey line;
  line.actions = {kActIEHelperRemove};
  line.undoAction = kActIEHelperRestore;
  line.typeCode = kTypeBHO;
  line.title = title ? title : "";
  line.command = command;
  const char* entryKind = code == kTypeToolbar ? kUndoPartRegistryValue : kUndoPartRegistry;
  // The removal unregisters the add-on's server, which takes its class key with it.
  const std::string classKey = std::string(kClassesKey) + key;
  return UndoStoreKeep(line, {{entryKind, IEHelperUndoEntry(code, key)},
                              {kUndoPartRegistry,
                               UndoRegistryCapture(HKEY_CLASSES_ROOT, classKey.c_str())}});
}
