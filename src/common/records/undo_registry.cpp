#include "records/undo_registry.h"

#include <charconv>
#include <vector>

#include "foundation/handles.h"
#include "foundation/settings.h"
#include "undo_text.h"

namespace {

struct UndoRoot {
  HKEY root;
  const char* name;
};
const UndoRoot kUndoRoots[] = {{HKEY_LOCAL_MACHINE, "HKLM"},
                               {HKEY_CURRENT_USER, "HKCU"},
                               {HKEY_CLASSES_ROOT, "HKCR"}};

const char* UndoRootName(HKEY root) {
  for (const UndoRoot& r : kUndoRoots)
    if (r.root == root) return r.name;
  return nullptr;
}

HKEY UndoRootOf(const std::string& name) {
  for (const UndoRoot& r : kUndoRoots)
    if (name == r.name) return r.root;
  return nullptr;
}

bool UndoReadValues(HKEY key, std::vector<std::string>& fields) {
  DWORD count = 0, nameMax = 0, dataMax = 0;
  if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &nameMax, &dataMax, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  std::string name(nameMax + 1, '\0');
  std::string data(dataMax + 1, '\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD nameSize = nameMax + 1, dataSize = dataMax + 1, type = REG_NONE;
    if (RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type,
                      reinterpret_cast<BYTE*>(data.data()), &dataSize) != ERROR_SUCCESS)
      return false;
    fields.insert(fields.end(), {"v", name.substr(0, nameSize), std::to_string(type),
                                 data.substr(0, dataSize)});
  }
  return true;
}

bool UndoReadTree(HKEY root, const std::string& path, const std::string& relative,
                  std::vector<std::string>& fields, int depth) {
  RegKey key;
  if (depth > 32 || !key.Open(root, path.c_str(), KEY_READ)) return false;
  fields.insert(fields.end(), {"k", relative});
  if (!UndoReadValues(key.get(), fields)) return false;
  std::vector<std::string> children;
  char child[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof child;
    const LONG result = RegEnumKeyExA(key.get(), i, child, &size, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) return false;
    children.emplace_back(child, size);
  }
  for (const std::string& c : children) {
    const std::string below = relative.empty() ? c : relative + "\\" + c;
    if (!UndoReadTree(root, path + "\\" + c, below, fields, depth + 1)) return false;
  }
  return true;
}

bool UndoWriteTree(HKEY root, const std::string& path, const std::vector<std::string>& f) {
  RegKey key;
  for (std::size_t i = 3; i < f.size();) {
    if (f[i] == "k" && i + 1 < f.size()) {
      const std::string at = f[i + 1].empty() ? path : path + "\\" + f[i + 1];
      if (!key.Create(root, at.c_str(), KEY_SET_VALUE)) return false;
      i += 2;
    } else if (f[i] == "v" && i + 3 < f.size() && key) {
      DWORD type = REG_NONE;
      const auto parsed = std::from_chars(f[i + 2].data(), f[i + 2].data() + f[i + 2].size(), type);
      if (parsed.ec != std::errc()) return false;
      if (RegSetValueExA(key.get(), f[i + 1].empty() ? nullptr : f[i + 1].c_str(), 0, type,
                         reinterpret_cast<const BYTE*>(f[i + 3].data()),
                         static_cast<DWORD>(f[i + 3].size())) != ERROR_SUCCESS)
        return false;
      i += 4;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string UndoRegistryCapture(HKEY root, const char* path) {
  const char* rootName = UndoRootName(root);
  if (rootName == nullptr || path == nullptr || path[0] == '\0') return std::string();
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(root, path, 0, KEY_READ, &opened);
  RegKey probe(result == ERROR_SUCCESS ? opened : nullptr);
  if (result == ERROR_FILE_NOT_FOUND) return UndoFieldsText({rootName, path, "0"});
  if (!probe) return std::string();
  probe.Reset();
  std::vector<std::string> fields = {rootName, path, "1"};
  if (!UndoReadTree(root, path, "", fields, 0)) return std::string();
  return UndoFieldsText(fields);
}

bool UndoRegistryPutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() < 3) return false;
  const std::vector<std::string>& f = *fields;
  const HKEY root = UndoRootOf(f[0]);
  if (root == nullptr || f[1].empty()) return false;
  RegKey probe;
  if (probe.Open(root, f[1].c_str(), KEY_READ)) {
    probe.Reset();
    if (!SettingsDeleteKeyTree(root, f[1].c_str())) return false;
  }
  return f[2] != "1" || UndoWriteTree(root, f[1], f);
}

std::string UndoRegistryRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() < 3) return std::string();
  const HKEY root = UndoRootOf((*fields)[0]);
  return root ? UndoRegistryCapture(root, (*fields)[1].c_str()) : std::string();
}

std::string UndoRegistryValueCapture(HKEY root, const char* path, const char* name) {
  const char* rootName = UndoRootName(root);
  if (rootName == nullptr || path == nullptr) return std::string();
  const std::string valueName = name ? name : "";
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &opened);
  RegKey key(result == ERROR_SUCCESS ? opened : nullptr);
  if (result == ERROR_FILE_NOT_FOUND) return UndoFieldsText({rootName, path, valueName, "0", "", ""});
  if (!key) return std::string();
  DWORD type = REG_NONE, size = 0;
  const char* queried = valueName.empty() ? nullptr : valueName.c_str();
  LONG query = RegQueryValueExA(key.get(), queried, nullptr, &type, nullptr, &size);
  if (query == ERROR_FILE_NOT_FOUND) return UndoFieldsText({rootName, path, valueName, "0", "", ""});
  std::string data(size, '\0');
  if (query != ERROR_SUCCESS ||
      RegQueryValueExA(key.get(), queried, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS)
    return std::string();
  data.resize(size);
  return UndoFieldsText({rootName, path, valueName, "1", std::to_string(type), data});
}

bool UndoRegistryValuePutBack(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 6) return false;
  const std::vector<std::string>& f = *fields;
  const HKEY root = UndoRootOf(f[0]);
  if (root == nullptr) return false;
  const char* name = f[2].empty() ? nullptr : f[2].c_str();
  RegKey key;
  if (f[3] != "1") {
    if (!key.Open(root, f[1].c_str(), KEY_SET_VALUE)) return true;
    const LONG result = RegDeleteValueA(key.get(), name);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
  }
  DWORD type = REG_NONE;
  const auto parsed = std::from_chars(f[4].data(), f[4].data() + f[4].size(), type);
  if (parsed.ec != std::errc() || !key.Create(root, f[1].c_str(), KEY_SET_VALUE)) return false;
  return RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(f[5].data()),
                        static_cast<DWORD>(f[5].size())) == ERROR_SUCCESS;
}

std::string UndoRegistryValueRecapture(const std::string& part) {
  const auto fields = UndoParseFields(part);
  if (!fields || fields->size() != 6) return std::string();
  const HKEY root = UndoRootOf((*fields)[0]);
  return root ? UndoRegistryValueCapture(root, (*fields)[1].c_str(), (*fields)[2].c_str())
              : std::string();
}
