#include "startup/delayed_records.h"

#include <windows.h>

#include <string>

#include "delay_text.h"
#include "foundation/paths.h"
#include "startup/delayed_start.h"
#include "startup/reg_values.h"

namespace {

constexpr char kTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
constexpr char kParametersKey[] = "Software\\Tamsel\\Korvane\\Delay\\Parameters";
constexpr char kAppletKey[] = "Software\\Tamsel\\Korvane\\Delay\\Applet";
constexpr int kTextSize = 1024;

HKEY DelayedRecordRoot(int code) { return DelayRoot(DelayPerMachine(code) ? 0 : 1); }

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

int DelayedLaunchNow(const char* program, int code) {
  if (program == nullptr || program[0] == '\0') return ERROR_FILE_NOT_FOUND;
  const std::string parameters = DelayedRecordText(code, kParametersKey, program);
  const std::string applet = DelayedRecordText(code, kAppletKey, program);
  if (applet.empty()) return RunDelayedProgram(program, parameters.c_str());
  char file[kPathSize] = "";
  NormaliseCommand(program, file, sizeof file);
  return RunDelayedProgram(applet.c_str(), (std::string(file) + parameters).c_str());
}
