// The time and date texts that head every report and scan log. Platform-free.
#pragma once
#include <string>

// "%2d:%02d:%02d %s" on a 12-hour clock: 0:05 reads "12:05:00 AM", 12:30 "12:30:00 PM",
// 13:05 " 1:05:00 PM". hour is 0-23.
std::string ReportClockText(int hour, int minute, int second);
// "%2d/%02d/%4d": month, day, year.
std::string ReportDateText(int month, int day, int year);
