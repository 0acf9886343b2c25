#include "vault_text.h"

#include "paths_text.h"
#include "sha256_text.h"
#include "text.h"

namespace {

constexpr std::size_t kPathDigits = 16;

}  // namespace

std::string VaultCopyName(std::string_view path) {
  std::string name;
  if (!FileNamePart(path, name) || name.empty() || name == "." || name == "..") return {};
  return name + "." + Sha256Text(UpperText(path)).substr(0, kPathDigits);
}
