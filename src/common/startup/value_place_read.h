// Raw, bounded access to the values of the value places, whatever a hostile program wrote
// there: any type, any size, no terminator.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct PlaceValueData {
  DWORD type = REG_NONE;
  std::string bytes;  // exactly as stored
};

// False when the value is missing, unreadable or larger than a registry value can sensibly be.
bool PlaceValueRead(HKEY key, const char* name, PlaceValueData& data);
bool PlaceValueIsText(DWORD type);
// The names of the key's values, in index order; the walk is bounded by the count at its start.
std::vector<std::string> PlaceValueNames(HKEY key);
// The stored item is the one the item list shows as listed: the same text, or an 8.3 path the
// list keeps in its long form.
bool PlaceItemIsListed(const std::string& stored, const char* listed);
bool PlaceValueWrite(HKEY key, const char* name, DWORD type, const std::string& bytes);
