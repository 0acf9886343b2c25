#include "startup/startup_undo.h"

#include "records/history.h"
#include "records/undo_store.h"
#include "startup/locations.h"
#include "startup/run_entry_name.h"
#include "startup/startup_actions.h"
#include "undo_text.h"

namespace {

bool StartupIsDisabled(const char* title, const char* key, int code) {
  return IsTitleDisabled(StartupEntryName(code, title, key).c_str());
}

}  // namespace

std::string StartupUndoCapture(const char* title, const char* command, const char* key,
                               int code) {
  if (title == nullptr || title[0] == '\0') return std::string();
  const char* disabled = StartupIsDisabled(title, key ? key : "", code) ? "1" : "0";
  return UndoFieldsText({title, command ? command : "", key ? key : "", std::to_string(code),
                         disabled});
}

bool StartupUndoRecord(const char* title, const char* command, const char* key, int code) {
  UndoLineKey line;
  line.actions = {kActStartDisable};
  line.undoAction = kActStartEnable;
  line.typeCode = code;
  line.title = title ? title : "";
  line.command = command ? command : "";
  return UndoStoreKeep(line, {{kUndoPartStartup, StartupUndoCapture(title, command, key, code)}});
}

void StartupDisabledLine(const char* title, const char* command, const char* key, int code) {
  HistoryWrite(title, command, key, code, kActStartDisable);
}

bool StartupUndoPutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 5) return false;
  const std::vector<std::string>& f = *fields;
  const int code = UndoFieldNumber(f[3]);
  if (code < 0 || f[0].empty()) return false;
  const bool wasDisabled = f[4] == "1";
  if (StartupIsDisabled(f[0].c_str(), f[2].c_str(), code) == wasDisabled) return true;
  return ToggleStartupEntry(f[0].c_str(), f[1].c_str(), f[2].c_str(), code) != 0;
}

std::string StartupUndoRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 5) return std::string();
  const std::vector<std::string>& f = *fields;
  return StartupUndoCapture(f[0].c_str(), f[1].c_str(), f[2].c_str(), UndoFieldNumber(f[3]));
}
