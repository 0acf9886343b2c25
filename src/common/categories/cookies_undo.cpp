#include "categories/cookies_undo.h"

#include "item_codes.h"
#include "records/history.h"
#include "records/undo_file.h"
#include "records/undo_store.h"

bool CookieUndoRecord(const char* name, const std::string& path) {
  if (name == nullptr || path.empty()) return false;
  UndoLineKey line;
  line.actions = {kActCookieRemove};
  line.typeCode = kItemCookieCode;
  line.title = name;
  line.command = path;
  return UndoStoreKeep(line, {{kUndoPartFile, UndoFileCapture(path.c_str())}});
}

void CookieRemovedLine(const char* name, const std::string& path) {
  HistoryWrite(name, path.c_str(), "", kItemCookieCode, kActCookieRemove);
}
