#include "delay_time_text.h"

#include <algorithm>
#include <cstdio>

std::string DelayTimeText(int seconds, std::string_view minutesUnit, std::string_view secondsUnit) {
  seconds = std::max(seconds, 0);
  std::string text;
  if (seconds >= 60) {
    text = std::to_string(seconds / 60) + ' ';
    text.append(minutesUnit);
    text += " : ";
  }
  text += std::to_string(seconds >= 60 ? seconds % 60 : seconds) + ' ';
  text.append(secondsUnit);
  return text;
}

std::string DelaySortKey(int seconds) {
  char key[16] = "";
  std::snprintf(key, sizeof key, "%04d", std::clamp(seconds, 0, 9999));
  return key;
}
