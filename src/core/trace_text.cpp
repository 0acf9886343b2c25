#include "trace_text.h"

#include <cstdio>

namespace {

constexpr std::size_t kSpanLabelLimit = 255;
constexpr std::uint32_t kMaxStars = 16;

// The log shows these numbers as the platform's "%d" of a 32-bit value would.
int AsSigned32(std::uint32_t value) { return static_cast<int>(static_cast<std::int32_t>(value)); }

}  // namespace

std::string TraceKey(std::uint32_t tick, int counter) {
  char key[32];
  std::snprintf(key, sizeof key, "%d.%d", AsSigned32(tick), counter);
  return key;
}

std::string TraceLineText(int month, int day, int hour, int minute, int second,
                          std::string_view label, std::string_view message) {
  char time[64];
  std::snprintf(time, sizeof time, "%02d-%02d  %02d:%02d:%02d", month, day, hour, minute, second);
  std::string line(time);
  line += ' ';
  line.append(label);
  line += ": ";
  line.append(message);
  return line;
}

std::uint32_t TraceSpanValue(std::uint32_t elapsedMs, bool userWaited) {
  return userWaited ? 1 : elapsedMs / 2;
}

std::string TraceSpanMarker(std::uint32_t spanValue) {
  const std::uint32_t thousands = spanValue / 1000;
  if (thousands == 0) return {};
  return '\t' + std::string(thousands < kMaxStars ? thousands : kMaxStars, '*');
}

std::string TraceSpanText(std::string_view label, std::uint32_t spanValue) {
  char value[16];
  std::snprintf(value, sizeof value, "%d", AsSigned32(spanValue));
  std::string text("**:**:** NanoCycles: ");
  text.append(label.substr(0, kSpanLabelLimit));
  text += " = ";
  text += value;
  text += ' ';
  text += TraceSpanMarker(spanValue);
  return text;
}
