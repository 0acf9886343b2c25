#include "text.h"

#include <cstring>

std::size_t CopyBounded(char* out, std::size_t capacity, std::string_view text) {
  if (capacity == 0) return 0;
  std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return n;
}
