#include "upload_text.h"

#include "lookup_text.h"
#include "text.h"

namespace {

bool UploadKeeps(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         c == '-' || c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string UploadEncode(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (UploadKeeps(byte))
      out += c;
    else
      AppendPercentEscape(out, byte);
  }
  return out;
}

std::string UploadAddress(std::string_view server, const UploadRecord& record) {
  const struct {
    const char* name;
    std::string_view value;
  } fields[] = {{"&code=", record.code},   {"&time=", record.time},
                {"&action=", record.action}, {"&type=", record.type},
                {"&title=", record.title}, {"&path=", record.path}};
  std::string query;
  for (const auto& field : fields) {
    const std::string piece =
        LookupBound(std::string(field.name) + UploadEncode(field.value), kUploadPieceMax);
    query += LookupBound(piece, kUploadQueryMax - query.size());
  }
  return LookupBound(std::string(server) + query, kUploadAddressMax);
}
