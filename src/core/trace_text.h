// Line formats of the trace log.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Key "%d.%d" of tick count and counter.
std::string TraceKey(std::uint32_t tick, int counter);
// "MM-DD  hh:mm:ss label: message"
std::string TraceLineText(int month, int day, int hour, int minute, int second,
                          std::string_view label, std::string_view message);
// Span value: 1 after a user wait, else elapsed ms / 2.
std::uint32_t TraceSpanValue(std::uint32_t elapsedMs, bool userWaited);
// Empty below 1000, else a tab and one '*' per whole 1000, at most 16.
std::string TraceSpanMarker(std::uint32_t spanValue);
// "**:**:** NanoCycles: label = value marker"
std::string TraceSpanText(std::string_view label, std::uint32_t spanValue);
