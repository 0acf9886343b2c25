#include "report_time_text.h"

#include <cstdio>

std::string ReportClockText(int hour, int minute, int second) {
  const bool afternoon = hour >= 12;
  int shown = hour % 12;
  if (shown == 0) shown = 12;
  char text[32];
  std::snprintf(text, sizeof text, "%2d:%02d:%02d %s", shown, minute, second,
                afternoon ? "PM" : "AM");
  return text;
}

std::string ReportDateText(int month, int day, int year) {
  char text[32];
  std::snprintf(text, sizeof text, "%2d/%02d/%4d", month, day, year);
  return text;
}
