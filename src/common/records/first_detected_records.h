// Every first-detected record of a category, read at once: what a report of thousands of
// items asks instead of one registry look-up per item.
#pragma once
#include <string>
#include <unordered_map>

// Record names (program files) in upper case, as the registry compares them, with their
// times. A time too long for the store's text, or of a type other than text, is left out,
// as FirstDetectedText leaves it out. Empty when the category has no records.
using FirstDetectedRecordMap = std::unordered_map<std::string, std::string>;
FirstDetectedRecordMap FirstDetectedRecords(const char* categoryKey);
