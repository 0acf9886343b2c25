#include "delay_text.h"

#include <algorithm>

#include "text.h"

DelayEntries DelayToEntries(int seconds) {
  if (seconds <= 0) return {0, 0};
  if (seconds / 60 > kDelayMinutesMax) return {kDelayMinutesMax, kDelayTenSecondEntries - 1};
  return {seconds / 60, (seconds % 60) / 10};
}

int DelayFromEntries(int minutes, int tenSeconds) {
  minutes = std::clamp(minutes, 0, kDelayMinutesMax);
  tenSeconds = std::clamp(tenSeconds, 0, kDelayTenSecondEntries - 1);
  return minutes * 60 + tenSeconds * 10;
}

int DelaySeconds(std::string_view stored) { return ParseDecimal(stored); }

int DelayState(std::string_view stored) {
  const int state = ParseDecimal(stored);
  return state < 0 || state > kDelayStateMax ? 0 : state;
}

std::string DelayRestoreCommand(std::string_view program, std::string_view parameters,
                                std::string_view applet) {
  std::string command(program);
  if (!parameters.empty()) {
    if (parameters[0] != ',' && parameters[0] != ' ') command += ' ';
    command += parameters;
  }
  if (applet.empty()) return command;
  std::string withApplet(applet);
  withApplet += ' ';
  return withApplet + command;
}

bool DelayPerMachine(int code) { return code < 10; }
