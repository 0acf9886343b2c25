// History upload address: encoded values, bounded pieces and address.
#include <algorithm>
#include <string>

#include "fuzz_check.h"
#include "upload_text.h"

namespace {

bool Kept(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_' || c == '~' || c == '%' || c == '&' || c == '=';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view server = input.Piece();
  UploadRecord record;
  record.code = input.Piece();
  record.time = input.Piece();
  record.action = input.Piece();
  record.type = input.Piece();
  record.title = input.Piece();
  record.path = input.Rest();
  const std::string address = UploadAddress(server, record);
  KV_CHECK(address.size() <= kUploadAddressMax);
  KV_CHECK(address.compare(0, std::min(server.size(), address.size()),
                           server.substr(0, address.size())) == 0);
  const std::string query = address.substr(std::min(server.size(), address.size()));
  for (char c : query) KV_CHECK(Kept(static_cast<unsigned char>(c)));
  const std::size_t percent = query.rfind('%');
  KV_CHECK(percent == std::string::npos || percent + 3 <= query.size());
  const std::string encoded = UploadEncode(record.title);
  KV_CHECK(encoded.size() >= record.title.size());
  return 0;
}
