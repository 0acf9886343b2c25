#include "detected_time_text.h"

#include <cstdio>
#include <vector>

#include "datetime_text.h"
#include "text.h"

namespace {

struct DetectedDate {
  int year = 0, month = 0, day = 0;
};

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 4) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

int DigitsValue(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

std::vector<std::string_view> DetectedSplit(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool DetectedDateValid(const DetectedDate& date) {
  return date.year >= 1000 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

// "MM/DD/YYYY" (every month-first pattern, the year always in full) or "YYYY/MM/DD".
bool DetectedSlashDate(const std::vector<std::string_view>& parts, DetectedDate& date) {
  for (std::string_view part : parts)
    if (!AllDigits(part)) return false;
  if (parts[0].size() == 4 && parts[1].size() == 2 && parts[2].size() == 2) {
    date = {DigitsValue(parts[0]), DigitsValue(parts[1]), DigitsValue(parts[2])};
    return true;
  }
  if (parts[0].size() == 2 && parts[1].size() == 2 && parts[2].size() == 4) {
    date = {DigitsValue(parts[2]), DigitsValue(parts[0]), DigitsValue(parts[1])};
    return true;
  }
  return false;
}

// "YYYY-MM-DD" or "DD-Mon-YYYY".
bool DetectedDashDate(const std::vector<std::string_view>& parts, DetectedDate& date) {
  if (AllDigits(parts[0]) && parts[0].size() == 4 && AllDigits(parts[1]) &&
      parts[1].size() == 2 && AllDigits(parts[2]) && parts[2].size() == 2) {
    date = {DigitsValue(parts[0]), DigitsValue(parts[1]), DigitsValue(parts[2])};
    return true;
  }
  const int month = MonthOfAbbreviation(parts[1]);
  if (month == 0 || !AllDigits(parts[0]) || parts[0].size() != 2 || !AllDigits(parts[2]) ||
      parts[2].size() != 4)
    return false;
  date = {DigitsValue(parts[2]), month, DigitsValue(parts[0])};
  return true;
}

bool DetectedDateOf(std::string_view text, DetectedDate& date) {
  for (char separator : {'/', '-'}) {
    const std::vector<std::string_view> parts = DetectedSplit(text, separator);
    if (parts.size() != 3) continue;
    const bool read = separator == '/' ? DetectedSlashDate(parts, date) : DetectedDashDate(parts, date);
    return read && DetectedDateValid(date);
  }
  return false;
}

// "H:MM", "HH:MM", and either followed by " AM" or " PM".
bool DetectedTimeOf(std::string_view text, int& hour, int& minute) {
  std::string_view clock = text;
  int twelveHour = 0;  // 0: a 24-hour clock, 1: AM, 2: PM
  if (text.size() > 3 && text[text.size() - 3] == ' ') {
    const std::string_view half = text.substr(text.size() - 2);
    if (half == "AM") twelveHour = 1;
    else if (half == "PM") twelveHour = 2;
    else return false;
    clock = text.substr(0, text.size() - 3);
  }
  const std::vector<std::string_view> parts = DetectedSplit(clock, ':');
  if (parts.size() != 2 || !AllDigits(parts[0]) || parts[0].size() > 2 || !AllDigits(parts[1]) ||
      parts[1].size() != 2)
    return false;
  hour = DigitsValue(parts[0]);
  minute = DigitsValue(parts[1]);
  if (minute > 59) return false;
  if (twelveHour == 0) return hour <= 23;
  if (hour > 12 || (twelveHour == 2 && hour == 0)) return false;
  if (twelveHour == 2 && hour < 12) hour += 12;
  return true;
}

}  // namespace

std::string DetectedTimeIso(std::string_view stored) {
  const std::size_t blank = stored.find(' ');
  if (blank == std::string_view::npos) return {};
  DetectedDate date;
  int hour = 0, minute = 0;
  if (!DetectedDateOf(stored.substr(0, blank), date) ||
      !DetectedTimeOf(stored.substr(blank + 1), hour, minute))
    return {};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:00", date.year, date.month, date.day,
                hour, minute);
  return text;
}
