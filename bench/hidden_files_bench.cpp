#include "hidden_files_bench.h"

#include <windows.h>

#include <string>

#include "bench_timing.h"
#include "categories/hidden_files.h"
#include "startup/item_list.h"

namespace {

struct FloorCount {
  int entries = 0;
  int hiddenFiles = 0;
};

// The floor: each entry's attributes looked at once, sub-folders entered down to the depth.
void FloorWalk(const std::string& folder, int depth, FloorCount& count) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const DWORD attributes = entry.dwFileAttributes;
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder && entry.cFileName[0] == '.') continue;
    ++count.entries;
    if (!isFolder && (attributes & FILE_ATTRIBUTE_HIDDEN)) ++count.hiddenFiles;
    if (isFolder && depth > 0 && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
      FloorWalk(folder + "\\" + entry.cFileName, depth - 1, count);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

FloorCount FloorOnce(const std::vector<HiddenFolder>& folders) {
  FloorCount count;
  for (const HiddenFolder& folder : folders) {
    std::string path = folder.path;
    if (path.back() == '\\') path.pop_back();
    FloorWalk(path, folder.depth, count);
  }
  return count;
}

}  // namespace

BenchLine HiddenFilesBenchRun(int repetitions) {
  BenchLine line{"hidden-files", 0};
  const std::vector<HiddenFolder> folders = HiddenFileFolders();
  const FloorCount floor = FloorOnce(folders);
  line.size = floor.entries;
  line.sound = floor.entries > 0 && EnumerateHiddenFiles() == floor.hiddenFiles;
  BenchAlternate(
      repetitions,
      [&] { line.sound = EnumerateHiddenFiles() == floor.hiddenFiles && line.sound; },
      [&] { FloorOnce(folders); }, line.oursMs, line.floorMs);
  ItemListClear();
  return line;
}
