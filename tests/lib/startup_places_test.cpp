#include "startup/startup_places.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sandbox.h"
#include "startup/locations.h"

namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class StartupPlacesTest : public RegistrySandbox {
 protected:
  void TearDown() override {
    g_wow64RunKey = false;
    RegistrySandbox::TearDown();
  }
  static bool Lists(const std::vector<StartupPlace>& places, HKEY root, const std::string& path,
                    bool subtree = false) {
    return std::any_of(places.begin(), places.end(), [&](const StartupPlace& place) {
      return place.root == root && place.path == path && place.subtree == subtree;
    });
  }
  // The catalogue's own Run-family keys; other places under a Run key (the sub-keys of
  // RunOnceEx, Terminal Server's copies) are not counted.
  static int RunFamilyKeys(const std::vector<StartupPlace>& places) {
    return static_cast<int>(std::count_if(places.begin(), places.end(), [](const StartupPlace& p) {
      for (int code = 1; code <= 27; ++code)
        if (IsRunFamily(code) && p.root == LocationRoot(code) && !p.subtree &&
            p.path == LocationKeyPath(code))
          return true;
      return false;
    }));
  }
};

}  // namespace

TEST_F(StartupPlacesTest, TheRunFamilyComesFromTheCatalogueWithTheViewOnlyWhereItExists) {
  g_wow64RunKey = false;
  std::vector<StartupPlace> places = StartupPlaces();
  EXPECT_EQ(14, RunFamilyKeys(places));
  EXPECT_TRUE(Lists(places, HKEY_CURRENT_USER, LocationKeyPath(11)));
  EXPECT_TRUE(Lists(places, HKEY_LOCAL_MACHINE, LocationKeyPath(7)));
  EXPECT_FALSE(Lists(places, HKEY_LOCAL_MACHINE, LocationKeyPath(21)));
  g_wow64RunKey = true;
  places = StartupPlaces();
  EXPECT_EQ(21, RunFamilyKeys(places));
  EXPECT_TRUE(Lists(places, HKEY_LOCAL_MACHINE, LocationKeyPath(27)));
}

TEST_F(StartupPlacesTest, HooksFoldersAndWinIniLinesAreThereToo) {
  SetShellFolder("Startup", ScratchFolder() + "\\Mine");
  WriteRegString(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Startup",
                 ScratchFolder() + "\\Ours");
  const std::vector<StartupPlace> places = StartupPlaces();
  EXPECT_TRUE(Lists(places, HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", true))
      << "Notify packages are sub-keys";
  EXPECT_TRUE(Lists(places, HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows"));
  EXPECT_TRUE(Lists(places, HKEY_LOCAL_MACHINE,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad"));
  EXPECT_TRUE(Lists(places, HKEY_CURRENT_USER, kShellFoldersKey));
  EXPECT_TRUE(Lists(places, nullptr, ScratchFolder() + "\\Mine"));
  EXPECT_TRUE(Lists(places, nullptr, ScratchFolder() + "\\Ours"));
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_FALSE(Lists(places, nullptr, windows)) << "the NT family reads no win.ini lines";
  EXPECT_TRUE(Lists(places, HKEY_CURRENT_USER,
                    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows"))
      << "the key the NT family keeps win.ini's [windows] lines in";
}
