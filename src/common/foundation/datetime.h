// Date and time text in the user's regional patterns.
#pragma once
#include <windows.h>
#include "datetime_text.h"

inline constexpr int kDateTimeTextSize = 24;

// Writes at most 23 characters and a terminator into out (24 bytes).
int FormatDateTime(const CalendarTime& time, char* out);
int FormatDateTime(const SYSTEMTIME& time, char* out);
// Current local time as DateTimeText.
int NowDateTimeText(char* out);
// "yyyy/mm/dd hh:mm" of the file's creation in local time. 1 with out empty when the file
// cannot be opened; 0 when the local conversion fails.
int FileCreatedText(const char* path, char* out, int capacity);
int UnixSecondsToCalendar(long long seconds, SYSTEMTIME* out);
// A file time (UTC) as local calendar time; false when either conversion fails.
bool LocalCalendarOfFileTime(const FILETIME& utc, SYSTEMTIME* out);
// A file time (UTC) as DateTimeText; 0 and out untouched when it does not convert.
int FileTimeText(const FILETIME& utc, char* out);
