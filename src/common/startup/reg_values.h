// Bounded reading of registry values that hostile programs may have written: any length,
// any type, no terminator, embedded NULs.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

// Walks the values of an open key by index. The value count taken at the start bounds the
// walk, so values added meanwhile cannot keep it going.
struct ValueCursor {
  HKEY key = nullptr;
  DWORD count = 0;
  DWORD index = 0;
  DWORD steps = 0;
  std::vector<char> name;
  std::vector<char> data;
};

enum class ValueRead { kEnd, kPassedOver, kText };

bool ValueCursorStart(ValueCursor& cursor, HKEY key);
// Reads the next value. kText: cursor.name and cursor.data hold the name and the string data,
// each ended at its first NUL and cut to maxChars. Values of other types, and values that fail
// to read, are kPassedOver.
ValueRead ValueCursorNext(ValueCursor& cursor, std::size_t maxChars);
// The value just read is gone from the key, so the next one now sits at its index.
void ValueCursorStay(ValueCursor& cursor);

// Reads a string value of an open key into out, cut to the capacity; the length, or 0 (out
// empty) when missing or not a string.
int ReadValueText(HKEY key, const char* value, char* out, int capacity);
// The same for root\subkey.
int ReadKeyText(HKEY root, const char* subkey, const char* value, char* out, int capacity);
bool HasValue(HKEY key, const char* value);
