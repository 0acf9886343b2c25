#include "datetime.h"

#include "handles.h"
#include "settings.h"
#include "text.h"

namespace {

constexpr char kInternationalKey[] = "Control Panel\\International";

CalendarTime CalendarOf(const SYSTEMTIME& t) {
  return CalendarTime{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay,
                      t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace

int FormatDateTime(const CalendarTime& time, char* out) {
  char shortDate[kDateTimeTextSize] = "";
  char timeFormat[kDateTimeTextSize] = "";
  SettingsReadString(HKEY_CURRENT_USER, kInternationalKey, "sShortDate", shortDate,
                     sizeof shortDate);
  SettingsReadString(HKEY_CURRENT_USER, kInternationalKey, "sTimeFormat", timeFormat,
                     sizeof timeFormat);
  CopyBounded(out, kDateTimeTextSize, FormatDateTimeText(time, shortDate, timeFormat));
  return 1;
}

int FormatDateTime(const SYSTEMTIME& time, char* out) {
  return FormatDateTime(CalendarOf(time), out);
}

int NowDateTimeText(char* out) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return FormatDateTime(now, out);
}

bool LocalCalendarOfFileTime(const FILETIME& utc, SYSTEMTIME* out) {
  FILETIME local;
  return FileTimeToLocalFileTime(&utc, &local) && FileTimeToSystemTime(&local, out);
}

int FileTimeText(const FILETIME& utc, char* out) {
  SYSTEMTIME local;
  if (!LocalCalendarOfFileTime(utc, &local)) return 0;
  return FormatDateTime(local, out);
}

int FileCreatedText(const char* path, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  Handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 1;
  FILETIME created;
  if (!GetFileTime(file.get(), &created, nullptr, nullptr)) return 1;
  SYSTEMTIME local;
  if (!LocalCalendarOfFileTime(created, &local)) return 0;
  CopyBounded(out, static_cast<size_t>(capacity), CreatedStampText(CalendarOf(local)));
  return 1;
}

int UnixSecondsToCalendar(long long seconds, SYSTEMTIME* out) {
  std::uint64_t ticks = UnixSecondsToFileTime(seconds);
  if (ticks == 0) return 0;
  FILETIME utc;
  utc.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
  utc.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return LocalCalendarOfFileTime(utc, out) ? 1 : 0;
}
