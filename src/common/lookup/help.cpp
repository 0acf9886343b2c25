#include <string>

#include "foundation/paths.h"
#include "foundation/strings.h"
#include "info.h"
#include "info_delivery.h"
#include "lookup_text.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kLanguageCodeSize = 16;
// Results up to 32 are the shell's error codes (32 itself: a library was not found).
constexpr long long kShellOpened = 32;

}  // namespace

int ShowHelp(int commandId) {
  char code[kLanguageCodeSize];
  LocalString(IDS_LANGUAGE_CODE, code, sizeof code);
  const std::string page = HelpPageName(code, commandId);
  char local[kPathSize];
  if (ProgramFolder(local, kPathSize) != 0) {
    AppendBounded(local, kPathSize, "\\");
    AppendBounded(local, kPathSize, page);
    if (FileExists(local)) return InfoShellOpen(local) > kShellOpened;
  }
  char base[kLookupBaseMax + 1];
  LookupBaseAddress(base, sizeof base);
  const std::string address = std::string(base) + page;
  if (InfoAolRunning()) return InfoAolOpen(address.c_str(), true);
  return InfoShellOpen(address.c_str()) > kShellOpened;
}
