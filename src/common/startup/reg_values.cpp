#include "startup/reg_values.h"

#include <algorithm>
#include <cstring>

#include "foundation/handles.h"
#include "text.h"

namespace {

// Longer values cannot be a command Windows would run; they are passed over.
constexpr DWORD kDataLimit = 1u << 20;
constexpr DWORD kNameLimit = 32768;
constexpr DWORD kFirstDataSize = 1024;
constexpr DWORD kFirstNameSize = 512;

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Ends the bytes at their first NUL (or at size) and at maxChars.
void EndText(char* text, DWORD size, std::size_t maxChars) {
  const void* zero = std::memchr(text, '\0', size);
  std::size_t length =
      zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - text) : size;
  text[std::min(length, maxChars)] = '\0';
}

// One slot more than offered to the platform, for the terminator.
void Reserve(std::vector<char>& buffer, DWORD size) {
  if (buffer.size() < size + 1) buffer.resize(size + 1);
}

DWORD Offered(const std::vector<char>& buffer) { return static_cast<DWORD>(buffer.size() - 1); }

bool Grow(ValueCursor& cursor, DWORD neededData) {
  if (Offered(cursor.name) >= kNameLimit &&
      Offered(cursor.data) >= std::min(neededData, kDataLimit))
    return false;
  if (neededData > kDataLimit) neededData = kDataLimit;
  Reserve(cursor.name, kNameLimit);
  Reserve(cursor.data, std::max(neededData, Offered(cursor.data)));
  return true;
}

}  // namespace

bool ValueCursorStart(ValueCursor& cursor, HKEY key) {
  DWORD count = 0, nameChars = 0, dataBytes = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &nameChars, &dataBytes, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  cursor.key = key;
  cursor.count = count;
  cursor.index = 0;
  cursor.steps = 0;
  // A name may take two bytes per character in a multi-byte code page.
  Reserve(cursor.name, std::max(kFirstNameSize, std::min(2 * nameChars + 2, kNameLimit)));
  Reserve(cursor.data, std::max(kFirstDataSize, std::min(dataBytes + 2, kDataLimit)));
  return true;
}

ValueRead ValueCursorNext(ValueCursor& cursor, std::size_t maxChars) {
  if (cursor.key == nullptr || cursor.steps >= cursor.count) return ValueRead::kEnd;
  ++cursor.steps;
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD nameSize = Offered(cursor.name);
    DWORD dataSize = Offered(cursor.data);
    DWORD type = REG_NONE;
    const LONG status =
        RegEnumValueA(cursor.key, cursor.index, cursor.name.data(), &nameSize, nullptr, &type,
                      reinterpret_cast<BYTE*>(cursor.data.data()), &dataSize);
    if (status == ERROR_NO_MORE_ITEMS) return ValueRead::kEnd;
    if (status == ERROR_MORE_DATA && attempt == 0 && Grow(cursor, dataSize)) continue;
    ++cursor.index;
    if (status != ERROR_SUCCESS || !IsText(type)) return ValueRead::kPassedOver;
    EndText(cursor.name.data(), std::min(nameSize, Offered(cursor.name)), maxChars);
    EndText(cursor.data.data(), std::min(dataSize, Offered(cursor.data)), maxChars);
    return ValueRead::kText;
  }
  ++cursor.index;
  return ValueRead::kPassedOver;
}

void ValueCursorStay(ValueCursor& cursor) {
  if (cursor.index > 0) --cursor.index;
}

int ReadValueText(HKEY key, const char* value, char* out, int capacity) {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  DWORD type = REG_NONE, size = 0;
  if (RegQueryValueExA(key, value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      !IsText(type) || size > kDataLimit)
    return 0;
  std::vector<char> text(size + 1);
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
          ERROR_SUCCESS ||
      !IsText(type))
    return 0;
  EndText(text.data(), std::min(size, static_cast<DWORD>(text.size() - 1)),
          static_cast<std::size_t>(capacity - 1));
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), text.data()));
}

int ReadKeyText(HKEY root, const char* subkey, const char* value, char* out, int capacity) {
  if (out != nullptr && capacity > 0) out[0] = '\0';
  RegKey key;
  if (!key.Open(root, subkey, KEY_QUERY_VALUE)) return 0;
  return ReadValueText(key.get(), value, out, capacity);
}

bool HasValue(HKEY key, const char* value) {
  return key != nullptr &&
         RegQueryValueExA(key, value, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
