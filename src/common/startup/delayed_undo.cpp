#include "startup/delayed_undo.h"

#include <vector>

#include "records/history.h"
#include "records/undo_store.h"
#include "startup/delayed_start.h"
#include "undo_text.h"

namespace {

enum DelayedField { kTitle, kCommand, kKey, kCode, kRundll, kProgram, kDelayed, kFieldCount };

bool DelayedNow(const std::string& program) {
  DelayedEdit edit;
  return DelayedEditLoad(program.c_str(), &edit) != 0;
}

std::string DelayedCapture(const std::vector<std::string>& f) {
  std::vector<std::string> now(f.begin(), f.begin() + kDelayed);
  now.push_back(DelayedNow(f[kProgram]) ? "1" : "0");
  return UndoFieldsText(now);
}

}  // namespace

bool DelayedUndoRecord(const char* title, const char* command, const char* key, int code,
                       int rundll, const std::string& program) {
  if (title == nullptr || command == nullptr || program.empty()) return false;
  UndoLineKey line;
  line.actions = {kActStartDelay};
  line.typeCode = code;
  line.title = title;
  line.command = command;
  const std::vector<std::string> fields = {title, command, key ? key : "", std::to_string(code),
                                           std::to_string(rundll), program, "0"};
  return UndoStoreKeep(line, {{kUndoPartDelayed, DelayedCapture(fields)}});
}

void DelayedLine(const char* title, const char* command, const char* key, int code) {
  HistoryWrite(title, command, key ? key : "", code, kActStartDelay);
}

bool DelayedUndoPutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != kFieldCount) return false;
  const std::vector<std::string>& f = *fields;
  const int code = UndoFieldNumber(f[kCode]);
  const int rundll = UndoFieldNumber(f[kRundll]);
  if (code < 0 || rundll < 0) return false;
  const bool wanted = f[kDelayed] == "1";
  if (DelayedNow(f[kProgram]) == wanted) return true;
  if (!wanted)
    return RestoreDelayed(f[kTitle].c_str(), f[kProgram].c_str(), f[kKey].c_str(), code, true) != 0;
  return DelayStartupEntry(f[kTitle].c_str(), f[kCommand].c_str(), f[kKey].c_str(), code,
                           rundll) == kDelayDone;
}

std::string DelayedUndoRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  return fields && fields->size() == kFieldCount ? DelayedCapture(*fields) : std::string();
}
