// Shared helpers of the fuzz targets.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define KV_CHECK(condition)                                                    \
  do {                                                                         \
    if (!(condition)) {                                                        \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                            \
    }                                                                          \
  } while (0)

// Hands out the fuzz input piece by piece; pieces are cut at 0xFF bytes so that the
// fuzzer can move the borders between them easily.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  std::string_view Piece() {
    const std::size_t cut = rest_.find('\xFF');
    const std::string_view piece = rest_.substr(0, cut);
    rest_ = cut == std::string_view::npos ? std::string_view() : rest_.substr(cut + 1);
    return piece;
  }
  std::uint64_t Number(std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes && !rest_.empty(); ++i) {
      value = (value << 8) | static_cast<unsigned char>(rest_[0]);
      rest_.remove_prefix(1);
    }
    return value;
  }
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

inline bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}
