#include "startup/delayed_records.h"

#include <windows.h>

#include <string>

#include "delay_text.h"
#include "foundation/handles.h"
#include "foundation/paths.h"
#include "startup/delayed_start.h"
#include "startup/reg_values.h"
#include "text.h"

namespace {

constexpr char kTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
constexpr char kParametersKey[] = "Software\\Tamsel\\Korvane\\Delay\\Parameters";
constexpr char kAppletKey[] = "Software\\Tamsel\\Korvane\\Delay\\Applet";
constexpr int kTextSize = 1024;

int DelayedRecordRootIndex(int code) { return DelayPerMachine(code) ? 0 : 1; }

HKEY DelayedRecordRoot(int code) { return DelayRoot(DelayedRecordRootIndex(code)); }

void DelayedRecordTimesOf(HKEY root, std::unordered_map<std::string, int>& seconds) {
  RegKey key;
  ValueCursor cursor;
  if (!key.Open(root, kTimeKey, KEY_READ) || !ValueCursorStart(cursor, key.get())) return;
  for (ValueRead read; (read = ValueCursorNext(cursor, kTextSize - 1)) != ValueRead::kEnd;)
    if (read == ValueRead::kText)
      seconds.emplace(UpperText(cursor.name.data()), DelaySeconds(cursor.data.data()));
}

std::string DelayedRecordText(int code, const char* subkey, const char* program) {
  char text[kTextSize] = "";
  ReadKeyText(DelayedRecordRoot(code), subkey, program, text, sizeof text);
  return text;
}

}  // namespace

int DelayedRecordSeconds(const char* program, int code) {
  if (program == nullptr || program[0] == '\0') return 0;
  return DelaySeconds(DelayedRecordText(code, kTimeKey, program));
}

DelayedTimes DelayedRecordTimes() {
  DelayedTimes times;
  for (int rootIndex = 0; rootIndex < kDelayRootCount; ++rootIndex)
    DelayedRecordTimesOf(DelayRoot(rootIndex), times.byRoot[rootIndex]);
  return times;
}

int DelayedRecordTimesFind(const DelayedTimes& times, const char* program, int code) {
  if (program == nullptr || program[0] == '\0') return 0;
  const auto& seconds = times.byRoot[DelayedRecordRootIndex(code)];
  const auto found = seconds.find(UpperText(program));
  return found == seconds.end() ? 0 : found->second;
}

int DelayedLaunchNow(const char* program, int code) {
  if (program == nullptr || program[0] == '\0') return ERROR_FILE_NOT_FOUND;
  const std::string parameters = DelayedRecordText(code, kParametersKey, program);
  const std::string applet = DelayedRecordText(code, kAppletKey, program);
  if (applet.empty()) return RunDelayedProgram(program, parameters.c_str());
  char file[kPathSize] = "";
  NormaliseCommand(program, file, sizeof file);
  return RunDelayedProgram(applet.c_str(), (std::string(file) + parameters).c_str());
}
