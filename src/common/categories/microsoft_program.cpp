#include "categories/microsoft_program.h"

#include <windows.h>

#include "foundation/filefacts.h"
#include "lookup/signature.h"
#include "lookup/signature_catalogue.h"
#include "signature_text.h"

namespace {

bool MicrosoftInSystemFolder(const char* path) {
  char folder[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder && SignaturePathInFolder(path, folder);
}

}  // namespace

// Any program can write "Microsoft Corporation" into its version resource; only a signature
// that ends in Microsoft's root says who made it. The company text is still taken for an
// unsigned file in the System folder while the catalogues cannot be searched: Windows signs
// its own files there through catalogues, so without them its files look unsigned.
bool MicrosoftProgram(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  const SignatureFacts facts = SignatureOf(path);
  MicrosoftEvidence evidence;
  evidence.state = facts.state;
  evidence.signer = facts.signer;
  evidence.microsoftRoot = facts.microsoftRoot;
  evidence.inSystemFolder = MicrosoftInSystemFolder(path);
  evidence.cataloguesReadable = SignatureCataloguesReadable();
  VersionStrings version{};
  const bool companyCounts = facts.state == SignatureState::kUnsigned &&
                             evidence.inSystemFolder && !evidence.cataloguesReadable;
  if (companyCounts && ReadVersionStrings(path, &version))
    evidence.company = version.text[kCompanyName];
  return MicrosoftByEvidence(evidence);
}
