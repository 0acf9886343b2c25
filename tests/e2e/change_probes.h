// What the change-watch tests write into the watched places, and how each is put back: the
// places' own values, a service, a scheduled task, a browser helper, HOSTS.
#pragma once
#include <windows.h>

#include <string>

inline constexpr char kProbeServiceName[] = "KvWatchService";
inline constexpr char kProbeServiceDisplay[] = "Watch Probe Service";
inline constexpr char kProbeTaskTitle[] = "KvWatchTask.job";
inline constexpr char kProbeHelperId[] = "{6B1D0C11-0000-4000-8000-00000000AC01}";
inline constexpr char kProbeHookId[] = "{6B1D0C11-0000-4000-8000-00000000AC02}";
// Every browser helper runs Tarvex.dll, whose product name is the helper's title.
inline constexpr char kProbeHelperTitle[] = "Korvane";

// A string value of a machine or user key as it was, put back (or deleted) on destruction.
class SavedValue {
 public:
  SavedValue(HKEY root, const char* subkey, const char* name);
  ~SavedValue();
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;

 private:
  HKEY root_;
  std::string subkey_, name_, text_;
  bool existed_;
};

// The [windows] line of win.ini as it was, written back on destruction.
class SavedWinIniLine {
 public:
  explicit SavedWinIniLine(const char* key);
  ~SavedWinIniLine();
  SavedWinIniLine(const SavedWinIniLine&) = delete;
  SavedWinIniLine& operator=(const SavedWinIniLine&) = delete;

 private:
  std::string key_, text_;
};

std::string HostsFilePath();
std::string UserStartupFolder();

// Each returns whether the probe was written; Remove... takes it away again.
bool AddProbeService();
void RemoveProbeService();
bool AddProbeTask();
void RemoveProbeTask();
// A class whose server is the file, for the browser helper and the delay-load hook.
void AddProbeClass(const char* id, const std::string& server);
void RemoveProbeClass(const char* id);
bool AddProbeHelper();
void RemoveProbeHelper();
