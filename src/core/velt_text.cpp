#include "velt_text.h"

#include "lookup_text.h"

namespace {

constexpr char kNewsPage[] = "news.html";
// The stored address is read into 256 characters.
constexpr std::size_t kStoredMax = 256;

}  // namespace

std::string VeltNewsAddress(std::string_view base) { return std::string(base) + kNewsPage; }

std::string VeltVersionAddress(std::string_view stored, std::string_view versionPage,
                               std::string_view build, std::string_view languageCode) {
  std::string address(stored.empty() ? versionPage : stored.substr(0, kStoredMax));
  address += "&build=";
  address += LookupEncode(build);
  address += "&Loc=";
  address += LookupEncode(languageCode);
  return LookupBound(address, kDetailedAddressMax);
}
