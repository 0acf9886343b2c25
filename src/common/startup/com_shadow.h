// Per-user COM classes that shadow a machine-wide class of the same CLSID: the per-user
// in-process server is loaded instead of the machine's wherever the class is created.
#pragma once
#include <string>
#include <vector>

#include "startup/startup_places.h"

std::string ComShadowLabel();
// Adds one entry per shadowing class: title the class name, command its server, key the CLSID.
int ComShadowList();
// Removes the per-user server key when it still names command; 1 when it is gone.
int ComShadowRemove(const char* command, const char* clsid);
// Writes the per-user server back; 1 when it names command.
int ComShadowRestore(const char* command, const char* clsid);
void ComShadowPlaces(std::vector<StartupPlace>& places);
