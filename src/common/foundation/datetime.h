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
int FileCreatedText(const char* path, char* out, int capacity);
int UnixSecondsToCalendar(long long seconds, SYSTEMTIME* out);
