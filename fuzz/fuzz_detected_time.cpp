// First-detected times: any stored text reads as nothing or as a well-formed ISO 8601 time,
// and every time the regional writer makes reads back as itself.
#include <cstdio>
#include <string>

#include "datetime_text.h"
#include "detected_time_text.h"
#include "fuzz_check.h"

namespace {

constexpr const char* kShortDates[] = {"M/d/yyyy", "M/d/yy", "MM/dd/yy", "MM/dd/yyyy",
                                       "yy/MM/dd", "yyyy-MM-dd", "dd-MMM-yy", ""};
constexpr const char* kTimeFormats[] = {"h:mm:ss tt", "hh:mm:ss tt", "H:mm:ss", "HH:mm:ss", ""};

bool Digits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

void CheckShape(const std::string& iso) {
  KV_CHECK(iso.size() == 19 && iso[4] == '-' && iso[7] == '-' && iso[10] == 'T' &&
           iso[13] == ':' && iso[16] == ':' && iso.substr(17) == "00");
  KV_CHECK(Digits(iso.substr(0, 4)) && Digits(iso.substr(5, 2)) && Digits(iso.substr(8, 2)) &&
           Digits(iso.substr(11, 2)) && Digits(iso.substr(14, 2)));
  const int month = std::stoi(iso.substr(5, 2)), day = std::stoi(iso.substr(8, 2));
  KV_CHECK(month >= 1 && month <= 12 && day >= 1 && day <= 31);
  KV_CHECK(std::stoi(iso.substr(11, 2)) <= 23 && std::stoi(iso.substr(14, 2)) <= 59);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string iso = DetectedTimeIso(input.Piece());
  if (!iso.empty()) CheckShape(iso);

  CalendarTime t{};
  t.year = static_cast<std::uint16_t>(1000 + input.Number(2) % 9000);
  t.month = static_cast<std::uint16_t>(1 + input.Number(1) % 12);
  t.day = static_cast<std::uint16_t>(1 + input.Number(1) % 28);
  t.hour = static_cast<std::uint16_t>(input.Number(1) % 24);
  t.minute = static_cast<std::uint16_t>(input.Number(1) % 60);
  const std::size_t date = input.Number(1) % 8, time = input.Number(1) % 5;
  char expected[32];
  std::snprintf(expected, sizeof expected, "%04d-%02d-%02dT%02d:%02d:00", t.year, t.month, t.day,
                t.hour, t.minute);
  KV_CHECK(DetectedTimeIso(FormatDateTimeText(t, kShortDates[date], kTimeFormats[time])) ==
           expected);
  return 0;
}
