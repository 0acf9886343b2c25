// The system-file change rule and the restart-commands viewer text.
#include <string>

#include "fuzz_check.h"
#include "system_files_text.h"
#include "text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int type = static_cast<int>(input.Number(1)) - 128;
  const std::string_view storedDate = input.Piece();
  const std::string_view currentDate = input.Piece();
  const std::string_view storedSize = input.Piece();
  const std::string_view currentSize = input.Piece();
  const bool changed = SystemFileChanged(storedDate, currentDate, storedSize, currentSize, type);
  KV_CHECK(!changed || storedDate != currentDate);
  if (storedDate != currentDate && storedSize != currentSize) KV_CHECK(changed);
  const std::string_view storedHash = input.Piece();
  const std::string_view currentHash = input.Piece();
  const bool byContent = SystemFileContentChanged({storedDate, storedSize, storedHash},
                                                  {currentDate, currentSize, currentHash}, type);
  if (storedHash.empty() || currentHash.empty()) KV_CHECK(byContent == changed);
  else KV_CHECK(byContent == !EqualsNoCase(storedHash, currentHash));

  const std::string_view shortPath = input.Piece();
  const std::string_view bytes = input.Rest();
  const std::string appendix = RestartDeleteAppendix(bytes, shortPath);
  KV_CHECK(EndsWith(appendix, std::string("NUL=") + std::string(shortPath) + "\r\n"));

  const std::string shown = RestartCommandsShown(bytes);
  const std::size_t kept = bytes.size() < kRestartViewBytes ? bytes.size() : kRestartViewBytes;
  KV_CHECK(shown.size() >= kept && shown.size() <= 2 * kept);
  KV_CHECK(shown.find('\0') == std::string::npos);
  for (std::size_t i = 0; i < shown.size(); ++i)
    if (shown[i] == '\n') KV_CHECK(i > 0 && shown[i - 1] == '\r');
  return 0;
}
