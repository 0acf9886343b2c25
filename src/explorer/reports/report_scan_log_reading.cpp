// How the scan log's groups read the registry and the item list.
#include "foundation/handles.h"
#include "report_scan_log_parts.h"

std::string ScanLogRegText(HKEY root, const char* key, const char* value) {
  RegRawValue raw;
  if (!RegRawRead(root, key, value, raw)) return {};
  return RegRawText(raw);
}

long ScanLogRegNumber(HKEY root, const char* key, const char* value) {
  RegRawValue raw;
  if (!RegRawRead(root, key, value, raw)) return 0;
  return RegRawNumber(raw);
}

bool ScanLogRegPresent(HKEY root, const char* key, const char* value) {
  RegRawValue raw;
  return RegRawRead(root, key, value, raw);
}

std::vector<std::string> ScanLogSubKeys(HKEY root, const std::string& key) {
  std::vector<std::string> names;
  RegKey opened;
  if (opened.Open(root, key.c_str(), KEY_READ)) RegRawSubKeys(opened.get(), names);
  return names;
}

std::vector<RegRawValue> ScanLogValues(HKEY root, const std::string& key) {
  std::vector<RegRawValue> values;
  RegKey opened;
  if (opened.Open(root, key.c_str(), KEY_READ)) RegRawValues(opened.get(), values);
  return values;
}

std::vector<ItemRow> ScanLogRows(void (*fill)()) {
  ItemListClear();
  fill();
  std::vector<ItemRow> rows = ItemRowsCopy();
  ItemListClear();
  return rows;
}

bool ScanLogReadFile(const std::string& path, std::size_t limit, std::string& out) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return false;
  const auto wanted = static_cast<DWORD>(
      static_cast<unsigned long long>(size.QuadPart) > limit ? limit : size.QuadPart);
  out.resize(wanted);
  DWORD read = 0;
  if (wanted > 0 && !ReadFile(file.get(), out.data(), wanted, &read, nullptr)) return false;
  out.resize(read);
  return true;
}
