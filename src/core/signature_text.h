// What a program file's code signature says, in the form the lists, alerts and reports show
// it, and when a signature counts as Microsoft's. Platform-free.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

enum class SignatureState {
  kNone,      // no file, or a file that cannot carry a signature: nothing to show
  kValid,     // signed, and the signature holds; the signer is known
  kInvalid,   // signed, but changed since, or by a signer that is not trusted
  kUnsigned,
};

// The answer of the platform's trust check (an HRESULT) as a state.
SignatureState SignatureStateOfTrust(std::uint32_t trustResult);
// Unsigned and tampered programs are the ones the user should look at first.
bool SignatureNeedsAttention(SignatureState state);

// The user's texts for the states (string-table entries, which a translation may replace).
struct SignatureTexts {
  std::string valid;  // "%s" stands for the signer
  std::string invalid;
  std::string notSigned;
};
// The state as shown; empty for kNone. The "%s" is filled by hand: a replaced text is never
// used as a format.
std::string SignatureShownText(SignatureState state, std::string_view signer,
                               const SignatureTexts& texts);

// What decides whether a program is Microsoft's.
struct MicrosoftEvidence {
  SignatureState state = SignatureState::kNone;
  std::string_view signer;
  bool microsoftRoot = false;  // the signer's chain ends in a Microsoft root
  bool inSystemFolder = false;
  bool cataloguesReadable = false;  // the machine's signature catalogues could be searched
  std::string_view company;          // CompanyName of the version resource
};
// A valid signature whose signer names Microsoft and whose chain ends in a Microsoft root.
// The company text counts only for an unsigned file in the System folder while the
// catalogues, through which Windows signs its own files, cannot be searched.
bool MicrosoftByEvidence(const MicrosoftEvidence& evidence);

// The key a remembered reading of a file is kept under: the path, case and the form of its
// separators aside.
std::string SignatureCacheKey(std::string_view path);
// Whether the path names something inside the folder or below it (case and separators aside).
bool SignaturePathInFolder(std::string_view path, std::string_view folder);
