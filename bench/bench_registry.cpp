#include "bench_registry.h"

#include "foundation/handles.h"

bool BenchWriteValue(HKEY root, const std::string& path, const char* name, DWORD type,
                     const void* data, DWORD size) {
  RegKey key;
  return key.Create(root, path.c_str(), KEY_SET_VALUE) &&
         RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size) ==
             ERROR_SUCCESS;
}

bool BenchWriteText(HKEY root, const std::string& path, const char* name,
                    const std::string& text, DWORD type) {
  return BenchWriteValue(root, path, name, type, text.c_str(),
                         static_cast<DWORD>(text.size() + 1));
}

bool BenchWriteNumber(HKEY root, const std::string& path, const char* name, DWORD number) {
  return BenchWriteValue(root, path, name, REG_DWORD, &number, sizeof number);
}
