// Regional date-and-time text from any calendar values and any patterns.
#include <string>

#include "datetime_text.h"
#include "fuzz_check.h"
#include "text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CalendarTime t{};
  std::uint16_t* fields[] = {&t.year, &t.month, &t.dayOfWeek, &t.day,
                             &t.hour, &t.minute, &t.second,   &t.millisecond};
  for (std::uint16_t* field : fields) *field = static_cast<std::uint16_t>(input.Number(2));
  const auto seconds = static_cast<std::int64_t>(input.Number(8));
  const std::string_view shortDate = input.Piece();
  const std::string_view timeFormat = input.Piece();

  const int dateIndex = ShortDatePatternIndex(shortDate);
  const int timeIndex = TimePatternIndex(timeFormat);
  KV_CHECK(dateIndex >= -1 && dateIndex <= 6);
  KV_CHECK(timeIndex >= -1 && timeIndex <= 3);
  if (dateIndex >= 0) KV_CHECK(ShortDatePatternIndex(UpperText(shortDate)) == dateIndex);

  const std::string text = FormatDateTimeText(t, shortDate, timeFormat);
  KV_CHECK(text.size() <= 23);
  const std::size_t blank = text.find(' ');
  KV_CHECK(blank != std::string::npos && blank <= 11);
  KV_CHECK(text.size() - blank - 1 <= 11);
  KV_CHECK(text.find('\0') == std::string::npos);
  if (t.year <= 9999 && t.month <= 99 && t.day <= 99 && t.hour <= 23 && t.minute <= 59) {
    const std::string time = text.substr(blank + 1);
    const bool twelveHour = timeIndex < 2;
    KV_CHECK(!twelveHour || EndsWith(time, t.hour >= 12 ? " PM" : " AM"));
    KV_CHECK(CreatedStampText(t).size() == 16);
  }

  const std::uint64_t fileTime = UnixSecondsToFileTime(seconds);
  KV_CHECK(fileTime <= static_cast<std::uint64_t>(INT64_MAX));
  KV_CHECK(fileTime == 0 ||
           fileTime == static_cast<std::uint64_t>(seconds + 11644473600) * 10000000u);
  KV_CHECK((fileTime == 0) == (seconds < 0 || seconds > INT64_MAX / 10000000 - 11644473600));
  return 0;
}
