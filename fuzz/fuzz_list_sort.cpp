// Row order and first-detected keys from any texts.
#include <string>
#include <vector>

#include "datetime_text.h"
#include "fuzz_check.h"
#include "list_sort.h"

namespace {

bool IsKeyShape(const std::string& key) {
  if (key.empty()) return true;
  if (key.size() != 12) return false;
  for (char c : key)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const int pattern = static_cast<int>(input.Number(1) % 9) - 1;
  const bool descending = input.Number(1) & 1;
  const std::string_view text = input.Piece();
  KV_CHECK(IsKeyShape(FirstDetectedSortKey(text, pattern)));

  std::vector<SortKey> keys;
  for (std::string_view piece = input.Piece(); !piece.empty() && keys.size() < 64;
       piece = input.Piece())
    keys.push_back({std::string(piece.substr(1)), (piece[0] & 1) != 0});
  for (const SortKey& a : keys)
    for (const SortKey& b : keys) {
      const int ab = CompareSortKeys(a, b, descending);
      const int ba = CompareSortKeys(b, a, descending);
      KV_CHECK((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0));
    }
  std::vector<int> order;
  for (int i = static_cast<int>(keys.size()) - 1; i >= 0; --i) order.push_back(i);
  SortRowOrder(order, keys, descending);
  for (std::size_t i = 1; i < order.size(); ++i) {
    const int compared = CompareSortKeys(keys[order[i - 1]], keys[order[i]], descending);
    KV_CHECK(compared < 0 || (compared == 0 && order[i - 1] < order[i]));
  }

  ListSortState state;
  SortStateRestore(state, static_cast<int>(input.Number(4)), static_cast<int>(input.Number(1)));
  KV_CHECK(state.column >= -1 && state.column < kSortColumnMax);
  return 0;
}
