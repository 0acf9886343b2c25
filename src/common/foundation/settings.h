// The settings store: typed access to the registry tree under Software\Tamsel.
// Every operation closes what it opens; failure is 0 or an empty text, never an exception.
#pragma once
#include <windows.h>

inline constexpr char kMakerKey[] = "Software\\Tamsel";
inline constexpr char kBaseKey[] = "Software\\Tamsel\\Korvane";
inline constexpr char kOptionsKey[] = "Software\\Tamsel\\Korvane\\Options";
inline constexpr char kDetectedKey[] = "Software\\Tamsel\\Detected";
inline constexpr char kStoreVersion[] = "15.2.2008.0";

int SettingsCreateKey(HKEY root, const char* subkey);
// Length of the text copied into out, or 0 (out empty) when missing, empty or too long.
int SettingsReadString(HKEY root, const char* subkey, const char* value, char* out, int capacity);
int SettingsWriteString(HKEY root, const char* subkey, const char* value, const char* text);
int SettingsWriteNumber(HKEY root, const char* subkey, const char* value, DWORD number);
int SettingsReadSmallNumber(HKEY root, const char* subkey, const char* value);
int SettingsDeleteValue(HKEY root, const char* subkey, const char* value);
// Deletes a key with everything below it; 1 when it is gone afterwards.
int SettingsDeleteKeyTree(HKEY root, const char* subkey);

int OptionGet(const char* name, int defaultValue);
// Writes the option, then Update = "1"; returns the second write's result.
int OptionSet(const char* name, int number);
