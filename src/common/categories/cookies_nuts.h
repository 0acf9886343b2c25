// The Nuts list (texts of unwanted cookies) and the kept-cookies store, both per user.
#pragma once
#include <string>
#include <vector>

#include "cookies_text.h"
#include "foundation/settings.h"

// A Nut's data: remove always, or remove once (forgotten after the next Mozilla file update).
enum NutNumber { kNutAlways = 1, kNutOnce = 2 };

// Reads the list into memory, replacing what was there. Names longer than 511 characters and
// the empty name are left out.
void LoadNuts();
void FreeNuts();
// True when a loaded Nut text occurs in text, ignoring case.
bool MatchesNut(const char* text);
// The loaded list, ready for matching lines and titles.
const CookieNuts& NutsLoaded();

// The names of the Nuts whose data reads as number, in the key's order: the filters the user
// added are those of kNutAlways.
std::vector<std::string> NutsTexts(int number);

// Deletes every Nut whose data reads as 2.
void DropOnceNuts();
// Writes the Nut with "1", then filters at once; 0 for a text CookieFilterAcceptable refuses
// or a failed write.
int AddNut(const char* text);
int RemoveNut(const char* text);
// Writes the Nut with the given number; 0 for an empty text or a failed write.
int NutsWrite(const char* text, int number);

// Frees what the cookie operations hold in memory; the monitor calls it after every cycle.
void CookieListFree();
