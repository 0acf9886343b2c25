// The change watcher's climb from a key or folder to the one above it, and a file's folder.
#include <string>

#include "fuzz_check.h"
#include "watch_paths.h"

namespace {

// Every step shortens the path to a prefix of it, so the climb ends.
template <class Step>
void Climb(std::string path, Step step) {
  for (;;) {
    const std::string before = path;
    if (!step(path)) {
      KV_CHECK(path == before);
      return;
    }
    KV_CHECK(!path.empty() && path.size() < before.size());
    KV_CHECK(before.compare(0, path.size(), path) == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view path = input.Piece();
  Climb(std::string(path), WatchParentKey);
  Climb(std::string(path), WatchParentFolder);
  const std::string folder = WatchFolderOfFile(path);
  KV_CHECK(folder.size() < path.size() || folder.empty());
  KV_CHECK(path.compare(0, folder.size(), folder) == 0);
  return 0;
}
