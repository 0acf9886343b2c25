#include "signature_text.h"

#include "text.h"

namespace {

// Trust answers that mean "nothing signed here" rather than "a signature that fails".
constexpr std::uint32_t kNoSignature = 0x800B0100;        // TRUST_E_NOSIGNATURE
constexpr std::uint32_t kSubjectFormUnknown = 0x800B0003;  // TRUST_E_SUBJECT_FORM_UNKNOWN
constexpr std::uint32_t kProviderUnknown = 0x800B0001;     // TRUST_E_PROVIDER_UNKNOWN
constexpr std::uint32_t kFileError = 0x80092003;           // CRYPT_E_FILE_ERROR
constexpr std::uint32_t kFacilityMask = 0xFFFF0000;
constexpr std::uint32_t kWin32Errors = 0x80070000;  // the file could not be opened or read
constexpr char kMicrosoft[] = "Microsoft";

bool HoldsMicrosoft(std::string_view text) { return TextContainsNoCase(text, kMicrosoft); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

SignatureState SignatureStateOfTrust(std::uint32_t trustResult) {
  switch (trustResult) {
    case 0: return SignatureState::kValid;
    case kNoSignature: return SignatureState::kUnsigned;
    case kSubjectFormUnknown:
    case kProviderUnknown:
    case kFileError: return SignatureState::kNone;
    default:
      return (trustResult & kFacilityMask) == kWin32Errors ? SignatureState::kNone
                                                           : SignatureState::kInvalid;
  }
}

bool SignatureNeedsAttention(SignatureState state) {
  return state == SignatureState::kInvalid || state == SignatureState::kUnsigned;
}

std::string SignatureShownText(SignatureState state, std::string_view signer,
                               const SignatureTexts& texts) {
  switch (state) {
    case SignatureState::kValid: {
      std::string text = texts.valid;
      const std::size_t slot = text.find("%s");
      if (slot != std::string::npos) text.replace(slot, 2, signer);
      return text;
    }
    case SignatureState::kInvalid: return texts.invalid;
    case SignatureState::kUnsigned: return texts.notSigned;
    default: return {};
  }
}

bool MicrosoftByEvidence(const MicrosoftEvidence& evidence) {
  if (evidence.state == SignatureState::kValid)
    return evidence.microsoftRoot && HoldsMicrosoft(evidence.signer);
  return evidence.state == SignatureState::kUnsigned && evidence.inSystemFolder &&
         !evidence.cataloguesReadable && HoldsMicrosoft(evidence.company);
}

std::string SignatureCacheKey(std::string_view path) {
  std::string key(path);
  for (char& c : key) c = c == '/' ? '\\' : UpperAscii(c);
  return key;
}

bool SignaturePathInFolder(std::string_view path, std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
  if (folder.empty() || path.size() <= folder.size() + 1) return false;
  return SignatureCacheKey(path.substr(0, folder.size())) == SignatureCacheKey(folder) &&
         IsSeparator(path[folder.size()]);
}
