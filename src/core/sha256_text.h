// SHA-256 of a byte stream, as 64 lower-case hex digits: the content fingerprint a watched
// file's record keeps. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

struct Sha256State {
  std::uint32_t h[8];
  std::uint8_t block[64];
  std::size_t filled;
  std::uint64_t bytes;
};

void Sha256Start(Sha256State& state);
void Sha256Add(Sha256State& state, std::string_view bytes);
// Ends the stream; the state must be started again before further use.
std::string Sha256Hex(Sha256State& state);
// The whole of bytes in one call.
std::string Sha256Text(std::string_view bytes);
