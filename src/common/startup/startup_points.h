// The autostart points beyond the catalogue's places, as one location family for the startup
// enumeration, its actions, its labels and the change watch.
#pragma once
#include <string>
#include <vector>

#include "item_codes.h"
#include "startup/startup_places.h"

inline constexpr int kPointUserStartupFolder = 284;
inline constexpr int kPointCommonStartupFolder = 285;
inline constexpr int kPointComShadow = 286;

// True for the codes of the points that exist (a code of the range without a point is not).
bool StartupPointCode(int code);
// "" for other codes.
const char* StartupPointShortName(int code);
// The point is the current user's (HKCU, the user's folder, the user's classes); false for
// machine-wide points and other codes.
bool StartupPointPerUser(int code);
// The registry place or folder the point reads; empty for other codes.
std::string StartupPointLabel(int code);
// Adds every entry of every point to the item list; the number added.
int StartupPointsList();
// 1 when the entry was taken out of its place (and can be written back).
int StartupPointRemove(const char* title, const char* command, const char* key, int code);
// 1 when the entry is back in its place.
int StartupPointRestore(const char* title, const char* command, const char* key, int code);
// The keys (and folders) whose change can change the points' entries.
void StartupPointPlaces(std::vector<StartupPlace>& places);
