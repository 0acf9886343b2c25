// The signature texts and path rules: the signer is filled in by hand (never as a format),
// the cache key is the path with only case and separators changed, and "in the folder" is a
// prefix of whole folder names on those keys.
#include <string>

#include "fuzz_check.h"
#include "signature_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const auto state = static_cast<SignatureState>(input.Number(1) % 4);
  const std::string_view signer = input.Piece();
  const SignatureTexts texts{std::string(input.Piece()), std::string(input.Piece()),
                             std::string(input.Piece())};
  const std::string shown = SignatureShownText(state, signer, texts);
  if (state == SignatureState::kValid) {
    const std::size_t slot = texts.valid.find("%s");
    KV_CHECK(slot == std::string::npos ? shown == texts.valid
                                       : shown.size() == texts.valid.size() - 2 + signer.size());
  }
  if (state == SignatureState::kNone) KV_CHECK(shown.empty());
  KV_CHECK(SignatureStateOfTrust(static_cast<std::uint32_t>(input.Number(4))) <=
           SignatureState::kUnsigned);

  const std::string_view path = input.Piece();
  const std::string_view folder = input.Piece();
  const std::string key = SignatureCacheKey(path);
  KV_CHECK(key.size() == path.size() && SignatureCacheKey(key) == key);
  std::string_view base = folder;
  while (!base.empty() && (base.back() == '\\' || base.back() == '/')) base.remove_suffix(1);
  const bool inside = !base.empty() && path.size() > base.size() + 1 &&
                      key.compare(0, base.size(), SignatureCacheKey(base)) == 0 &&
                      (path[base.size()] == '\\' || path[base.size()] == '/');
  KV_CHECK(SignaturePathInFolder(path, folder) == inside);
  return 0;
}
