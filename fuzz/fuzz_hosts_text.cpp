// HOSTS matching: a logged line holds no control character, is never a comment and never
// starts with a local address; the last line is judged like every other.
#include <string>

#include "fuzz_check.h"
#include "hosts_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  const auto lines = HostsLoggedLines(file);
  for (const std::string& line : lines) {
    KV_CHECK(line.size() >= 5 && line.size() <= 499);
    for (char c : line) KV_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    const std::size_t start = line.find_first_not_of(' ');
    KV_CHECK(start != std::string::npos && line[start] != '#');
    const std::size_t end = line.find(' ', start);
    KV_CHECK(!HostsAddressIsLocal(line.substr(start, end - start)));
  }
  const auto withEnd = HostsLoggedLines(std::string(file) + "\n");
  KV_CHECK(withEnd == lines);
  return 0;
}
