// The address of a history record's upload: the collecting script's address followed by the
// record's fields as query values. Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kUploadPieceMax = 511;
inline constexpr std::size_t kUploadQueryMax = 1023;
inline constexpr std::size_t kUploadAddressMax = 511;

struct UploadRecord {
  std::string_view code;  // the installation code
  std::string_view time;  // the history stamp
  std::string_view action;
  std::string_view type;
  std::string_view title;
  std::string_view path;
};

// Every byte but letters, digits and "-._~" is percent-encoded, so that no text can end a
// value early, add a field or cut the query with '#'.
std::string UploadEncode(std::string_view value);
// server + "&code=..&time=..&action=..&type=..&title=..&path=..", each piece and the query
// bounded, never cutting an escape in half.
std::string UploadAddress(std::string_view server, const UploadRecord& record);
