// A program file's code signature: whether it holds and who signed it, read from the file
// itself or, for a file without one, from a catalogue of the system that lists it. Readings
// are kept while the file's size and last write stay the same.
#pragma once
#include <windows.h>

#include <string>

#include "signature_text.h"

// The colour in which lists and alerts show an unsigned or tampered program.
inline constexpr COLORREF kSignatureAttentionColour = RGB(192, 0, 0);

struct SignatureFacts {
  SignatureState state = SignatureState::kNone;
  std::string signer;          // for a valid signature
  bool microsoftRoot = false;  // the signer's chain ends in a Microsoft root
  bool catalogue = false;      // signed through a catalogue
};

// Reads the file now. Never asks the network about revocation and never shows anything.
SignatureFacts SignatureRead(const char* path);
// As SignatureRead, but a file read before and unchanged since is not read again. Safe to
// call from more than one thread.
SignatureFacts SignatureOf(const char* path);
// The state in the words the lists, alerts and reports use ("Signed by ...", "Not signed",
// ...); empty for a path that names no file able to carry a signature.
std::string SignatureText(const char* path);
std::string SignatureTextOf(const SignatureFacts& facts);
// The texts of all three states at once, for a caller that shows many files: each text is
// looked up in the registry's translation first.
SignatureTexts SignatureTextsLoad();
// Forgets every reading.
void SignatureCacheClear();
