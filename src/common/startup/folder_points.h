// The startup folders as Windows finds them today: through `User Shell Folders`, whose paths
// may hold environment references. Listed only where they differ from the legacy
// `Shell Folders` the catalogue reads, so that no file is listed twice.
#pragma once
#include <string>
#include <vector>

#include "startup/startup_places.h"

std::string FolderPointLabel(int code);
// The folder of the code (expanded) when it differs from the legacy one; empty otherwise.
std::string FolderPointFolder(int code);
int FolderPointsList();
// Moves the entry's file (its key) into the vault; 1 when moved.
int FolderPointRemove(const char* key, int code);
// Moves it back; 1 when it is back in its folder.
int FolderPointRestore(const char* key, int code);
void FolderPointPlaces(std::vector<StartupPlace>& places);
