#include "categories/activex_undo.h"

#include <string>

#include "categories/activex.h"
#include "records/history.h"
#include "records/undo_registry.h"
#include "records/undo_store.h"

bool ActiveXUndoRecord(const char* clsid) {
  if (clsid == nullptr || clsid[0] == '\0') return false;
  UndoLineKey line;
  line.actions = {kActActiveXKillBit};
  line.typeCode = kTypeActiveX;
  line.title = clsid;
  const std::string entry = std::string(kActiveXCompatibilityKey) + "\\" + clsid;
  return UndoStoreKeep(line,
                       {{kUndoPartRegistry, UndoRegistryCapture(HKEY_LOCAL_MACHINE, entry.c_str())}});
}

void ActiveXKilledLine(const char* clsid) {
  HistoryWrite(clsid, "", "", kTypeActiveX, kActActiveXKillBit);
}
