// The watched file-type list and the command rules.
#include <string>

#include "filetype_text.h"
#include "fuzz_check.h"
#include "text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view entry = input.Piece();
  const std::string_view list = input.Rest();
  for (const std::string& ext : FileTypeListExtensions(list))
    KV_CHECK(ext.size() >= 2 && ext.size() <= kFileTypeEntryMax + 1 && ext[0] == '.');
  const std::string removed = FileTypeListRemove(list, entry);
  KV_CHECK(removed.size() <= list.size() + 1);
  KV_CHECK(FileTypeAddCheck(removed, entry) != 0 || !entry.empty());
  if (FileTypeAddCheck(list, entry) == 0) {
    const std::string grown = FileTypeListAppend(list, entry);
    KV_CHECK(grown.size() <= static_cast<std::size_t>(kFileTypeListMax) + 2);
    KV_CHECK(FileTypeAddCheck(grown, entry) != 0);
    KV_CHECK(FileTypeListRemove(grown, entry) == FileTypeListRemove(list, entry));
  }
  KV_CHECK(!FileTypeCommandsDiffer(list, UpperText(list)));
  KV_CHECK(FileTypeUnquoted(list).find('"') == std::string::npos);
  std::string file;
  int index = 0;
  FileTypeSplitIcon(list, file, index);
  KV_CHECK(file.size() < list.size() || file.empty());
  FileTypeProgramText(list);
  return 0;
}
