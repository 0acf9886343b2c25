#include <windows.h>

#include <string>
#include <vector>

#include "foundation/handles.h"
#include "sha256_text.h"
#include "system_files_facts.h"

namespace {

constexpr DWORD kChunkBytes = 64 * 1024;

}  // namespace

// Opened for reading while others may write or delete: a file in use is still fingerprinted.
bool SystemFileContentHash(const char* path, std::string& hex) {
  hex.clear();
  if (path == nullptr || path[0] == '\0') return false;
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  Handle file(CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return false;
  Sha256State state;
  Sha256Start(state);
  std::vector<char> chunk(kChunkBytes);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk.data(), kChunkBytes, &read, nullptr)) return false;
    if (read == 0) break;
    Sha256Add(state, std::string_view(chunk.data(), read));
  }
  hex = Sha256Hex(state);
  return true;
}
