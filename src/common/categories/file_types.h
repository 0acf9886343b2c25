// The watched file types: where each watched extension's open command comes from, the
// copy of it kept in the settings store, and the watched list itself.
#pragma once
#include <string>

#include "item_codes.h"

// Buffers for a ProgID or an open command (259 characters).
inline constexpr int kFileTypeTextSize = 260;

// Sources 1 to 4: HKLM classes, the user's chosen application, the user's ProgID, HKCR.
bool LookUpAssociation(const char* ext, int source, char* progId260, char* command260);
void StoreAssociation(const char* ext, int source);
// True when the stored association is back in place; a machine-wide one may take the
// elevated job.
bool RestoreAssociation(const char* ext, int source);
// The open command the store keeps for the extension's source; 0 when nothing is stored.
int StoredAssociationCommand(const char* ext, int source, char* command260);
// The live open command of the extension's source against the stored one, both as the
// registry holds them: 1 when they differ, 0 when not or when nothing was stored yet (the live
// one is stored then) or the source no longer resolves.
int CompareAssociation(const char* ext, int source, std::string& stored, std::string& live);
int EnumerateFileTypes();
int InitFileTypeStore();
// 0, or the string id of the refusal (762 already watched, 763 list full).
int AddWatchedFileType(const char* ext);
void RemoveWatchedFileType(const char* ext);
bool IsClassInUse(const char* progId);
int FileTypeProgramName(const char* command, char* out, int capacity);
int FileTypeIconLocation(const char* ext, int source, char* iconFile, int capacity,
                         int* iconIndex);
