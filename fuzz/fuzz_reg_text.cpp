// Registry script values: every value decodes back to its name, type and bytes, and the
// decoder takes any line without harm.
#include <string>

#include "fuzz_check.h"
#include "reg_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  RegValue value;
  value.type = static_cast<std::uint32_t>(input.Number(1) % 12);
  const std::string_view name = input.Piece();
  // A line break or NUL cannot be part of a name in a script; names never hold a NUL.
  if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return 0;
  value.name = std::string(name);
  value.data = std::string(input.Rest());
  const std::string line = RegValueLine(value);
  KV_CHECK(EndsWith(line, "\r\n"));
  const auto back = RegParseValueLine(line);
  KV_CHECK(back.has_value());
  KV_CHECK(back->name == value.name);
  KV_CHECK(back->type == value.type);
  KV_CHECK(back->data == value.data);

  (void)RegParseValueLine(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
