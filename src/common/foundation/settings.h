// The settings store: typed access to the registry tree under Software\Tamsel.
// Every operation closes what it opens; failure is 0 or an empty text, never an exception.
#pragma once
#include <windows.h>

// Every key of the store, named once. Per user unless marked.
inline constexpr char kMakerKey[] = "Software\\Tamsel";
inline constexpr char kBaseKey[] = "Software\\Tamsel\\Korvane";
inline constexpr char kOptionsKey[] = "Software\\Tamsel\\Korvane\\Options";
inline constexpr char kDetectedKey[] = "Software\\Tamsel\\Detected";
// Startup: the snapshot of known entries, and the index of disabled ones (per machine).
inline constexpr char kKnownStartupKey[] = "Software\\Tamsel\\Korvane\\Run";
inline constexpr char kDisabledIndexKey[] = "Software\\Tamsel\\Korvane\\Disabled";
// Delayed start, below either root: the record and its fields.
inline constexpr char kDelayKey[] = "Software\\Tamsel\\Korvane\\Delay";
inline constexpr char kDelayTitleKey[] = "Software\\Tamsel\\Korvane\\Delay\\Title";
inline constexpr char kDelayTimeKey[] = "Software\\Tamsel\\Korvane\\Delay\\Time";
inline constexpr char kDelayParametersKey[] = "Software\\Tamsel\\Korvane\\Delay\\Parameters";
inline constexpr char kDelayShortcutsKey[] = "Software\\Tamsel\\Korvane\\Delay\\Shortcuts";
inline constexpr char kDelayAppletKey[] = "Software\\Tamsel\\Korvane\\Delay\\Applet";
inline constexpr char kDelayOpenAsKey[] = "Software\\Tamsel\\Korvane\\Delay\\OpenAs";
// Snapshots of the approved items of the categories.
inline constexpr char kIEHelpersKey[] = "Software\\Tamsel\\Korvane\\IEHelpers";
inline constexpr char kTasksKey[] = "Software\\Tamsel\\Korvane\\Tasks";
inline constexpr char kServicesSnapshotKey[] = "Software\\Tamsel\\Korvane\\Services";
inline constexpr char kActiveXSnapshotKey[] = "Software\\Tamsel\\Korvane\\ActiveX";
inline constexpr char kHiddenSnapshotKey[] = "Software\\Tamsel\\Korvane\\Hidden";
// A removed per-user COM server key, kept whole until the history puts it back.
inline constexpr char kComShadowKeptKey[] = "Software\\Tamsel\\Korvane\\ComShadow";
// Cookies: the Nuts list and the kept cookies.
inline constexpr char kNutsKey[] = "Software\\Tamsel\\Korvane\\Nuts";
inline constexpr char kKeptCookiesKey[] = "Software\\Tamsel\\Korvane\\Cookies";
// The monitored system files' records (per machine).
inline constexpr char kSystemFilesKey[] = "Software\\Tamsel\\Korvane\\Sysfiles";
// The file-type store: the ProgID kept per source, and the open command per ProgID.
inline constexpr char kFileTypeExtKey[] = "Software\\Tamsel\\Korvane\\Ext";
inline constexpr char kFileTypeExtAppKey[] = "Software\\Tamsel\\Korvane\\ExtApp";
inline constexpr char kFileTypeExtProgIdKey[] = "Software\\Tamsel\\Korvane\\ExtProgID";
inline constexpr char kFileTypeExtRootKey[] = "Software\\Tamsel\\Korvane\\ExtRoot";
inline constexpr char kFileTypeClassKey[] = "Software\\Tamsel\\Korvane\\Class";
inline constexpr char kFileTypeClassRootKey[] = "Software\\Tamsel\\Korvane\\ClassRoot";
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
