// Signatures that Windows keeps for its own files in catalogues instead of the files.
#pragma once
#include "lookup/signature.h"

// Whether the machine has catalogues that can be searched; found out once per run.
bool SignatureCataloguesReadable();
// The signature of a catalogue that lists the file (searched whether or not the catalogues
// look readable); state kNone when none does.
SignatureFacts SignatureReadCatalogue(const wchar_t* path);
