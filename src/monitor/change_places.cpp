#include "change_places.h"

#include "categories/file_types.h"
#include "categories/file_types_store.h"
#include "categories/ie_helpers.h"
#include "categories/services.h"
#include "categories/system_files.h"
#include "filetype_text.h"
#include "foundation/paths.h"
#include "foundation/strings.h"
#include "resource.h"
#include "startup/startup_places.h"
#include "watch_paths.h"

namespace {

using PlaceList = std::vector<ChangePlace>;

constexpr int kKeyTextSize = 260;
constexpr char kClasses[] = "Software\\Classes\\";
constexpr char kApplications[] = "Applications\\";
constexpr char kUserFileExts[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";
constexpr char kTasksFolder[] = "\\Tasks";
// The file-type sources whose ProgID names a class of Applications (the user's chosen one).
constexpr int kApplicationSource = 2;
constexpr int kFileTypeSources = 4;

void ChangePlaceKey(PlaceList& places, OptionId category, HKEY root, std::string path,
                    bool subtree) {
  places.push_back({category, ChangePlaceKind::kKey, root, std::move(path), subtree});
}

void ChangePlaceFolder(PlaceList& places, OptionId category, std::string path, bool subtree) {
  if (path.empty()) return;
  places.push_back({category, ChangePlaceKind::kFolder, nullptr, std::move(path), subtree});
}

// A class is read through the merged classes root: both hives' copies count.
void ChangePlaceClass(PlaceList& places, OptionId category, const std::string& name,
                      bool subtree) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    ChangePlaceKey(places, category, root, kClasses + name, subtree);
}

void ChangePlacesStartup(OptionId category, PlaceList& places) {
  for (const StartupPlace& place : StartupPlaces()) {
    if (place.root)
      ChangePlaceKey(places, category, place.root, place.path, place.subtree);
    else
      ChangePlaceFolder(places, category, place.path, place.subtree);
  }
}

void ChangePlacesIEHelpers(OptionId category, PlaceList& places) {
  ChangePlaceKey(places, category, HKEY_LOCAL_MACHINE, kBHOKey, true);
  ChangePlaceKey(places, category, HKEY_LOCAL_MACHINE, kToolbarKey, false);
  ChangePlaceKey(places, category, HKEY_LOCAL_MACHINE, kExtensionsKey, true);
}

void ChangePlacesPages(OptionId category, PlaceList& places) {
  for (int keyString : {IDS_IE_MAIN_KEY, IDS_IE_DESKTOP_KEY}) {
    char key[kKeyTextSize] = "";
    if (LocalString(keyString, key, sizeof key) > 0)
      ChangePlaceKey(places, category, HKEY_CURRENT_USER, key, false);
  }
}

void ChangePlacesSystemFiles(OptionId category, PlaceList& places) {
  for (const SystemFileRecord& record : WatchedSystemFiles())
    ChangePlaceFolder(places, category, WatchFolderOfFile(record.path), false);
}

// Each watched extension's keys in both hives and the user's choice, and the classes its
// sources name now, whose open commands the check compares.
void ChangePlacesFileType(OptionId category, const std::string& ext, PlaceList& places) {
  ChangePlaceClass(places, category, ext, false);
  ChangePlaceKey(places, category, HKEY_CURRENT_USER, kUserFileExts + ext, true);
  for (int source = 1; source <= kFileTypeSources; ++source) {
    char progId[kFileTypeTextSize] = "";
    char command[kFileTypeTextSize] = "";
    if (!LookUpAssociation(ext.c_str(), source, progId, command) || progId[0] == '\0') continue;
    const std::string name = source == kApplicationSource ? kApplications + std::string(progId)
                                                          : std::string(progId);
    ChangePlaceClass(places, category, name, true);
  }
}

void ChangePlacesFileTypes(OptionId category, PlaceList& places) {
  for (const std::string& ext : FileTypeListExtensions(FileTypeReadList()))
    ChangePlacesFileType(category, ext, places);
}

// Task Scheduler 1.0 keeps its jobs in the Windows folder's Tasks, 2.0 in the System folder's.
void ChangePlacesTasks(OptionId category, PlaceList& places) {
  char folder[kPathSize] = "";
  UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  if (length > 0 && length < sizeof folder)
    ChangePlaceFolder(places, category, folder + std::string(kTasksFolder), false);
  length = GetSystemDirectoryA(folder, sizeof folder);
  if (length > 0 && length < sizeof folder)
    ChangePlaceFolder(places, category, folder + std::string(kTasksFolder), true);
}

// A service is new by its key; below the keys some systems write on every program's exit.
void ChangePlacesServices(OptionId category, PlaceList& places) {
  ChangePlaceKey(places, category, HKEY_LOCAL_MACHINE, kServicesRegistryKey, false);
}

struct CategoryPlaces {
  OptionId category;
  void (*add)(OptionId, PlaceList&);
};

// Hidden files, ActiveX and the cookie steps are left to the timer: their places are busy
// folders (the temporary files, the browser's caches) whose changes would keep them running.
constexpr CategoryPlaces kCategoryPlaces[] = {
    {kOptStart, ChangePlacesStartup},
    {kOptIEHelpers, ChangePlacesIEHelpers},
    {kOptHostFile, ChangePlacesSystemFiles},
    {kOptStartPage, ChangePlacesPages},
    {kOptFileType, ChangePlacesFileTypes},
    {kOptTasks, ChangePlacesTasks},
    {kOptServices, ChangePlacesServices},
};

}  // namespace

std::vector<ChangePlace> ChangePlacesFor(const OptionsRecord& options) {
  PlaceList places;
  for (const CategoryPlaces& row : kCategoryPlaces)
    if (options.value[row.category] > 0) row.add(row.category, places);
  return places;
}

ChangeCategories ChangePlaceCategories(const OptionsRecord& options) {
  ChangeCategories categories;
  for (const CategoryPlaces& row : kCategoryPlaces)
    if (options.value[row.category] > 0) categories.set(row.category);
  return categories;
}

std::string ChangePlaceText(const ChangePlace& place) {
  if (place.kind == ChangePlaceKind::kFolder) return place.path;
  return (place.root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") + place.path;
}
