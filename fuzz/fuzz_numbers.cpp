// Decimal reading, thousands grouping and the bounded copy operations.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_check.h"
#include "numbers_text.h"
#include "text.h"

namespace {

int ReferenceDecimal(std::string_view text) {
  const std::string terminated(text);
  const long long value = std::strtoll(terminated.c_str(), nullptr, 10);
  return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

void CheckGrouping(std::int64_t number) {
  const std::string grouped = GroupThousands(number);
  std::string_view body = grouped;
  if (number < 0) {
    KV_CHECK(body[0] == '-');
    body.remove_prefix(1);
  }
  // From the right: groups of three digits, the leftmost group one to three digits.
  std::string digits;
  std::size_t group = 0;
  for (std::size_t i = body.size(); i-- > 0;) {
    if (body[i] == ',') {
      KV_CHECK(group == 3 && i > 0);
      group = 0;
    } else {
      ++group;
      digits.insert(digits.begin(), body[i]);
    }
  }
  KV_CHECK(group >= 1 && group <= 3);
  KV_CHECK((number < 0 ? "-" + digits : digits) == std::to_string(number));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const auto number = static_cast<std::int64_t>(input.Number(8));
  const std::size_t capacity = input.Number(1) % 48;
  const std::string_view first = input.Piece();
  const std::string_view second = input.Piece();

  KV_CHECK(ParseDecimal(first) == ReferenceDecimal(first));
  CheckGrouping(number);
  CheckGrouping(ParseDecimal(second));

  // Exactly sized heap buffers so that any write past the capacity is reported.
  std::unique_ptr<char[]> out(new char[capacity == 0 ? 1 : capacity]);
  const std::size_t copied = CopyBounded(out.get(), capacity, first);
  if (capacity > 0) {
    KV_CHECK(copied == std::min(first.size(), capacity - 1) && out[copied] == '\0');
    KV_CHECK(std::memcmp(out.get(), first.data(), copied) == 0);
    const std::size_t before = std::strlen(out.get());
    const std::size_t appended = AppendBounded(out.get(), capacity, second);
    KV_CHECK(appended == std::min(before + second.size(), capacity - 1));
    KV_CHECK(out[appended] == '\0');

    const char from = first.empty() ? 'a' : first[0];
    const char to = second.empty() ? '\0' : second[0];
    const std::string original(out.get());
    ReplaceChar(out.get(), from, to);
    std::string expected;
    for (char c : original) {
      if (from == '\0' || c != from)
        expected += c;
      else if (to != '\0')
        expected += to;
    }
    KV_CHECK(expected == out.get());
  }
  return 0;
}
