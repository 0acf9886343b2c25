#include "startup/value_table.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/handles.h"
#include "text.h"

namespace {

constexpr DWORD kFirstDataSize = 256;
// Larger values are no text a startup check reads; they are held by name and size only.
constexpr DWORD kDataKept = 1u << 20;
constexpr DWORD kFirstNameSize = 512;
constexpr DWORD kNameLimit = 32768;

bool ValueTableIsAscii(const char* name, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(name[i]) >= 0x80) return false;
  return true;
}

// The registry's own comparison is by the wide name, ignoring case. Plain ASCII, nearly every
// name, is folded here as the platform would fold it, without a call.
std::wstring ValueTableFolded(const char* name, std::size_t length) {
  if (length == 0) return {};
  if (ValueTableIsAscii(name, length)) {
    std::wstring wide(length, L'\0');
    for (std::size_t i = 0; i < length; ++i) {
      const char c = name[i];
      wide[i] = static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    }
    return wide;
  }
  const int chars = MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(length), nullptr, 0);
  if (chars <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(chars), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name, static_cast<int>(length), wide.data(), chars);
  CharUpperBuffW(wide.data(), static_cast<DWORD>(chars));
  return wide;
}

bool ValueTableIsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Data too large for the first buffer: read again by name, at its own size.
void ValueTableReadLarge(HKEY key, const char* name, TableValue& value) {
  if (value.size > kDataKept) return;
  std::vector<char> data(value.size + 1);
  DWORD size = value.size;
  DWORD type = REG_NONE;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return;
  value.type = type;
  value.size = size;
  value.data.assign(data.data(), std::min<std::size_t>(size, data.size() - 1));
}

// One value by index; false at the end of the key.
bool ValueTableReadAt(HKEY key, DWORD index, std::vector<char>& name, std::vector<char>& data,
                      std::unordered_map<std::wstring, TableValue>& values) {
  DWORD nameSize = static_cast<DWORD>(name.size() - 1);
  DWORD dataSize = static_cast<DWORD>(data.size());
  TableValue value;
  LONG status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &value.type,
                              reinterpret_cast<BYTE*>(data.data()), &dataSize);
  if (status == ERROR_NO_MORE_ITEMS) return false;
  const bool large = status == ERROR_MORE_DATA;
  if (large) {
    nameSize = static_cast<DWORD>(name.size() - 1);
    status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &value.type, nullptr,
                           &dataSize);
  }
  if (status != ERROR_SUCCESS) return true;
  nameSize = std::min(nameSize, static_cast<DWORD>(name.size() - 1));
  name[nameSize] = '\0';
  value.size = dataSize;
  if (large)
    ValueTableReadLarge(key, name.data(), value);
  else
    value.data.assign(data.data(), std::min<std::size_t>(dataSize, data.size()));
  values.emplace(ValueTableFolded(name.data(), nameSize), std::move(value));
  return true;
}

}  // namespace

bool ValueTable::Read(HKEY root, const char* subkey) {
  values_.clear();
  RegKey key;
  opened_ = key.Open(root, subkey, KEY_QUERY_VALUE);
  if (!opened_) return false;
  DWORD count = 0, nameChars = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &nameChars, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return true;
  // A name may take two bytes per character in a multi-byte code page.
  std::vector<char> name(std::max(kFirstNameSize, std::min(2 * nameChars + 2, kNameLimit)) + 1);
  std::vector<char> data(kFirstDataSize);
  values_.reserve(count);
  // The count taken first bounds the walk, so values added meanwhile cannot keep it going.
  for (DWORD index = 0; index < count; ++index)
    if (!ValueTableReadAt(key.get(), index, name, data, values_)) break;
  return true;
}

const TableValue* ValueTable::Find(const char* name) const {
  if (values_.empty()) return nullptr;
  const char* text = name ? name : "";
  const auto found = values_.find(ValueTableFolded(text, std::strlen(text)));
  return found == values_.end() ? nullptr : &found->second;
}

int ValueTable::Text(const char* name, char* out, int capacity) const {
  if (out == nullptr || capacity <= 0) return 0;
  out[0] = '\0';
  const TableValue* value = Find(name);
  if (value == nullptr || !ValueTableIsText(value->type) || value->size > kDataKept) return 0;
  const std::string_view data(value->data);
  const std::size_t end = std::min(data.find('\0'), data.size());
  return static_cast<int>(CopyBounded(out, static_cast<std::size_t>(capacity), data.substr(0, end)));
}
