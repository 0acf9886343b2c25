#include "info.h"

#include <windows.h>

#include <string>

#include "foundation/filefacts.h"
#include "foundation/options.h"
#include "foundation/paths.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "info_delivery.h"
#include "records/first_detected.h"
#include "lookup_text.h"
#include "resource.h"
#include "text.h"

namespace {

constexpr int kIdentitySize = 128;
constexpr int kLanguageCodeSize = 16;
// Results up to 32 are the shell's error codes (32 itself: a library was not found).
constexpr long long kShellOpened = 32;
constexpr char kKnowledgeBaseFolder[] = "\\kbase\\";

std::size_t Capacity(int capacity) { return capacity > 0 ? static_cast<std::size_t>(capacity) : 0; }

bool VeltDetailed() { return OptionRead(kOptVeltFormat) != 0; }

bool BrowserFailureFallback() { return OptionRead(kOptBrowserFailure) != 0; }

std::string DetailedLocation() {
  char code[kLanguageCodeSize];
  if (LocalString(IDS_LANGUAGE_CODE, code, sizeof code) == 0) return "en";
  return code;
}

}  // namespace

int LookupBaseAddress(char* out, int capacity) {
  char configured[kLookupBaseMax + 1];
  SettingsReadString(HKEY_CURRENT_USER, kBaseKey, kLookupBaseValue, configured, sizeof configured);
  return static_cast<int>(
      CopyBounded(out, Capacity(capacity), LookupBase(configured, kLookupBaseDefault)));
}

bool KnowledgeBasePage(const char* name, char* path, int capacity) {
  if (path != nullptr && capacity > 0) path[0] = '\0';
  const std::string key = KnowledgeBaseKey(name ? name : "");
  char page[kPathSize];
  if (key.empty() || ProgramFolder(page, kPathSize) == 0) return false;
  const std::string full = std::string(page) + kKnowledgeBaseFolder + key + ".html";
  if (full.size() > kPathSize - 1) return false;
  CopyBounded(page, kPathSize, full);
  if (!FileExists(page)) return false;
  CopyBounded(path, Capacity(capacity), full);
  return true;
}

int InfoAddress(int kind, const char* path, const char* title, bool detailed, char* out,
                int capacity) {
  const char* found = path ? path : "";
  char normalised[kPathSize];
  NormaliseCommand(found, normalised, kPathSize);
  char build[kIdentitySize];
  ProgramIdentity(build, kIdentitySize);
  // The version texts come from the program itself, not from a command line with arguments.
  VersionStrings version;
  ReadVersionStrings(normalised[0] ? normalised : found, &version);
  FileFactsRecord facts = {};
  if (detailed) ReadFileFacts(normalised, kind, &facts);
  const std::string location =
      detailed ? DetailedLocation() : std::string(ShortLookupLocation(g_languageId));

  LookupRequest request;
  request.kind = kind;
  request.location = location;
  request.build = build;
  request.normalised = normalised;
  request.title = title ? title : "";
  request.pathAsFound = found;
  request.company = version.text[kCompanyName];
  request.version = version.text[kProductVersion];
  request.product = version.text[kProductName];
  request.copyright = version.text[kLegalCopyright];
  request.description = version.text[kFileDescription];
  request.created = facts.text[kFactCreated];
  request.detected = facts.text[kFactFirstDetected];
  request.size = facts.text[kFactSize];
  char base[kLookupBaseMax + 1];
  LookupBaseAddress(base, sizeof base);
  const std::string address =
      detailed ? DetailedLookupAddress(base, request) : ShortLookupAddress(base, request);
  return static_cast<int>(CopyBounded(out, Capacity(capacity), address));
}

int ShowInfo(int kind, const char* path, const char* title) {
  const bool detailed = VeltDetailed();
  if (!detailed) {
    char normalised[kPathSize], page[kPathSize];
    NormaliseCommand(path ? path : "", normalised, kPathSize);
    if (KnowledgeBasePage(normalised, page, kPathSize) && InfoShellOpen(page) > kShellOpened)
      return 1;
  }
  char address[kDetailedAddressMax + 1];
  InfoAddress(kind, path, title, detailed, address, sizeof address);
  if (InfoAolRunning()) return InfoAolOpen(address, false);
  if (!detailed)
    return InfoShellOpen(address) > kShellOpened || InfoRunInternetExplorer(address);
  if (InfoOpenThroughShortcut(address) > kShellOpened) return 1;
  return BrowserFailureFallback() && InfoRunInternetExplorer(address);
}
