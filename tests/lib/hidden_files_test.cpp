#include "categories/hidden_files.h"

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "foundation/paths.h"
#include "foundation/settings.h"
#include "records/history.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

struct Listed {
  std::string title, key;
  int value = -1;
  int times = 0;
};

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class HiddenFilesTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    ASSERT_GT(HistoryFilePath(history_, sizeof history_), 0);
    DeleteFileA(history_);
    // The scratch folder stands in for the common-files folder (searched one level down).
    SettingsWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                        "CommonFilesDir", ScratchFolder().c_str());
    const std::string appData = ScratchFolder() + "\\appdata";
    CreateDirectoryA(appData.c_str(), nullptr);
    SettingsWriteString(HKEY_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                        "AppData", appData.c_str());
  }
  void TearDown() override {
    ItemListClear();
    DeleteFileA(history_);
    // Read-only files would outlast the scratch folder's removal.
    for (const std::string& path : made_) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RegistrySandbox::TearDown();
  }
  // Makes the folders on the way and the file with the given attributes.
  std::string Make(const std::string& relative, DWORD attributes) {
    const std::string path = ScratchFolder() + "\\" + relative;
    for (std::size_t slash = relative.find('\\'); slash != std::string::npos;
         slash = relative.find('\\', slash + 1))
      CreateDirectoryA((ScratchFolder() + "\\" + relative.substr(0, slash)).c_str(), nullptr);
    std::ofstream(path) << "bytes of " << relative;
    SetFileAttributesA(path.c_str(), attributes);
    made_.push_back(path);
    return path;
  }
  std::string Vault(const char* name) const {
    return ScratchFolder() + "\\appdata\\Korvane\\vault\\" + name;
  }
  // The listed items below the scratch folder, by path.
  std::map<std::string, Listed> Scratch() const {
    std::map<std::string, Listed> found;
    for (int i = 0; i < ItemCount(); ++i) {
      char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize];
      ItemTitle(i, title);
      ItemCommand(i, command);
      ItemKey(i, key);
      if (std::string(command).rfind(ScratchFolder() + "\\", 0) != 0) continue;
      EXPECT_EQ(kTypeHidden, ItemCode(i));
      Listed& item = found[std::string(command).substr(ScratchFolder().size() + 1)];
      item = {title, key, ItemValue(i), item.times + 1};
    }
    return found;
  }
  char history_[MAX_PATH] = "";
  std::vector<std::string> made_;
};

}  // namespace

// The scratch folder lies in the temporary folder and is the common-files folder: its own
// files are reached twice, those one level down once, deeper ones never. A folder link back up
// the tree is handed over as an entry, never entered.
TEST_F(HiddenFilesTest, ListsHiddenFilesOneLevelDownAndNeverFoldersOrLinks) {
  Make("top.txt", FILE_ATTRIBUTE_HIDDEN);
  Make("both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  Make("shown.txt", FILE_ATTRIBUTE_NORMAL);
  Make("sub\\one.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  Make("sub\\deep\\two.txt", FILE_ATTRIBUTE_HIDDEN);
  Make("folder\\inside.txt", FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA((ScratchFolder() + "\\folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
  char folder[MAX_PATH] = "";
  ProgramFolder(folder, sizeof folder);
  const std::string sample = std::string(folder) + "\\kv_versioned_sample.exe";
  ASSERT_TRUE(CopyFileA(sample.c_str(), (ScratchFolder() + "\\sample.exe").c_str(), FALSE));
  SetFileAttributesA((ScratchFolder() + "\\sample.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string loop = ScratchFolder() + "\\loop";
  const bool linked =
      CreateSymbolicLinkA(loop.c_str(), ScratchFolder().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);

  EXPECT_EQ(ItemCount(), EnumerateHiddenFiles());
  if (linked) RemoveDirectoryA(loop.c_str());
  const std::map<std::string, Listed> found = Scratch();
  ASSERT_EQ(5u, found.size());
  EXPECT_EQ(2, found.at("top.txt").times);
  EXPECT_EQ("top", found.at("top.txt").title);
  EXPECT_EQ(ScratchFolder() + "\\top.txt", found.at("top.txt").key);
  EXPECT_EQ(1, found.at("top.txt").value);
  EXPECT_EQ(0, found.at("both.txt").value) << "a system file";
  EXPECT_EQ(1, found.at("sub\\one.txt").times);
  EXPECT_EQ(1, found.at("folder\\inside.txt").times) << "a hidden folder is searched, not listed";
  EXPECT_EQ("Versioned Sample", found.at("sample.exe").title);
}

TEST_F(HiddenFilesTest, DeletedFileGoesToTheVaultAndComesBackHiddenButAFileInUseStays) {
  const std::string path = Make("gone.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str(), "2008/01/01 10:00");
  ASSERT_TRUE(DeleteHiddenFile("Gone", path.c_str()));
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(Exists(Vault("gone.dat")));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str()));
  EXPECT_NE(std::string::npos,
            FileText(history_).find("*HIDDEN_DeleteFile\tTYPE_HIDDEN\tGone\t" + path + "\t\r\n"));

  ASSERT_TRUE(RestoreHiddenFileFromVault(path.c_str()));
  EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ("bytes of gone.dat", FileText(path));
  EXPECT_FALSE(Exists(Vault("gone.dat")));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str()).empty());
  RegDeleteKeyA(HKEY_CURRENT_USER, kHiddenSnapshotKey);
  EXPECT_FALSE(RestoreHiddenFileFromVault(path.c_str())) << "the vault copy was used up";
  EXPECT_TRUE(Exists(path));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str()).empty());

  // Still hidden, so that the next check asks again; no history, no stale vault copy.
  DeleteFileA(history_);
  const std::string busy = Make("busy.dat", FILE_ATTRIBUTE_HIDDEN);
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, busy.c_str(), "2008/01/01 10:00");
  HANDLE open = CreateFileA(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, open);
  EXPECT_FALSE(DeleteHiddenFile("Busy", busy.c_str()));
  CloseHandle(open);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN),
            GetFileAttributesA(busy.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL));
  EXPECT_FALSE(Exists(Vault("busy.dat")));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kHiddenSnapshotKey, busy.c_str()));
  EXPECT_EQ("", FileText(history_));
}

// The fill-once rule is shared with the ActiveX snapshot and tested there.
TEST_F(HiddenFilesTest, SnapshotRecordsTheHiddenFilesAndTheDetectedStore) {
  const std::string first = Make("first.txt", FILE_ATTRIBUTE_HIDDEN);
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, "", "old");
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, "C:\\stale.txt", "x");
  BuildHiddenSnapshot();
  EXPECT_EQ("P", ReadRegString(HKEY_CURRENT_USER, kHiddenSnapshotKey, ""));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kHiddenSnapshotKey, first.c_str()).empty());
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kHiddenSnapshotKey, "C:\\stale.txt"));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kDetectedKey));
  EXPECT_EQ(0, ItemCount());
}
