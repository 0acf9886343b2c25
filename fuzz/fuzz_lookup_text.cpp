// Info-lookup rules: the knowledge-base key, value encoding, bounded addresses and commands.
#include <algorithm>
#include <string>

#include "fuzz_check.h"
#include "lookup_text.h"

namespace {

bool SafeAddressCharacter(unsigned char c) {
  return c > 0x20 && c < 0x7F && c != '"' && c != '#' && c != '<' && c != '>';
}

// Undoes the encoding: '+' stands for '&' or itself, so both are mapped to '&'.
std::string Decode(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%') {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += text[i] == '+' ? '&' : text[i];
    }
  }
  return out;
}

void CheckAddress(const std::string& address, std::size_t max) {
  KV_CHECK(address.size() <= max);
  for (char c : address) KV_CHECK(SafeAddressCharacter(static_cast<unsigned char>(c)));
  const std::size_t percent = address.rfind('%');
  KV_CHECK(percent == std::string::npos || percent + 3 <= address.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string_view name = input.Piece();
  const std::string_view title = input.Piece();
  const std::string_view company = input.Piece();

  const std::string key = KnowledgeBaseKey(name);
  KV_CHECK(key.size() <= 260);
  for (char c : key) {
    const auto byte = static_cast<unsigned char>(c);
    KV_CHECK(byte >= 0x20 && c != '\\' && c != '/' && c != ':' && c != '*' && c != '?' &&
             c != '"' && c != '<' && c != '>' && c != '|' && !(c >= 'A' && c <= 'Z'));
  }

  const std::string encoded = LookupEncode(company);
  CheckAddress(encoded, encoded.size());
  std::string plain(company);
  for (char& c : plain) if (c == '+') c = '&';
  KV_CHECK(Decode(encoded) == plain);

  LookupRequest request;
  request.kind = static_cast<int>(input.Number(2));
  request.location = "en";
  request.normalised = name;
  request.title = title;
  request.pathAsFound = name;
  request.company = company;
  request.description = input.Rest();
  const std::string base = LookupBase(title, kLookupBaseDefault);
  KV_CHECK(base.size() <= kLookupBaseMax && base.back() == '/');
  CheckAddress(ShortLookupAddress(base, request), kShortAddressMax);
  CheckAddress(DetailedLookupAddress(base, request), kDetailedAddressMax);

  const std::string help = HelpPageName(title, request.kind);
  KV_CHECK(help.find('\\') == std::string::npos && help.find('/') == std::string::npos);
  const std::string shortcut = InternetShortcutText(company);
  KV_CHECK(shortcut.rfind("[InternetShortcut]\r\nURL=", 0) == 0);
  KV_CHECK(std::count(shortcut.begin(), shortcut.end(), '\n') == 2 && shortcut.back() == '\n');
  return 0;
}
