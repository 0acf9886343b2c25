// Where the browsers keep their cookies: Internet Explorer's cookie folder and the Mozilla
// family's profile folder.
#pragma once

inline constexpr char kIECookieFolderValue[] = "IECookieFolder";
inline constexpr char kMozillaFolderValue[] = "CookieFolder";

// The first candidate that holds an "index.dat", ending with a backslash. False when none
// does; folder then holds "Cookie Folder Not Found".
bool FindIECookieFolder(char* folder, int capacity);
// The override, else the Firefox profile; with Netscape as the default browser, Netscape's
// profile instead. False and an empty folder when none is found.
bool FindMozillaProfileFolder(char* folder, int capacity);
// The user's application-data folder holds a "Mozilla" folder.
bool MozillaFolderPresent();
// Stores the folder the user chose for the IE cookies or the Mozilla profile; 1 when written.
int CookieFolderChoose(bool mozilla, const char* folder);
