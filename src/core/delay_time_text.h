// How the Delayed Start page writes a record's delay. Platform-free.
#pragma once
#include <string>
#include <string_view>

// "<m> <minutes> : <s> <seconds>" from a minute on, else "<s> <seconds>"; negative delays
// read as 0.
std::string DelayTimeText(int seconds, std::string_view minutesUnit, std::string_view secondsUnit);
// The delay as a key that sorts by its number: four digits, leading zeros.
std::string DelaySortKey(int seconds);
