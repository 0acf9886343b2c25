// The trust check that embedded and catalogue signatures both go through.
#pragma once
#include <windows.h>
#include <wincrypt.h>
#include <wintrust.h>

#include "lookup/signature.h"

// Runs the check that data describes (its choice of file or catalogue set by the caller):
// no revocation check, no user interface. Sets the state and, for a valid signature, the
// signer read from signedFile (the program, or the catalogue that holds its signature) and
// whether the chain ends in a Microsoft root.
void SignatureVerify(WINTRUST_DATA& data, const wchar_t* signedFile, SignatureFacts& facts);
// The simple display name of the certificate that signed the file; empty when it has none.
std::string SignatureSignerName(const wchar_t* signedFile);
