#include "categories/hidden_files.h"

#include <shlobj.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

struct Listed {
  ItemRow row;
  int times = 0;
};

class HiddenFilesTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    // The scratch folder stands in for the common-files folder (searched one level down).
    SettingsWriteString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                        "CommonFilesDir", ScratchFolder().c_str());
    const std::string appData = ScratchFolder() + "\\appdata";
    CreateDirectoryA(appData.c_str(), nullptr);
    SetShellFolder("AppData", appData);
  }
  void TearDown() override {
    // Read-only files would outlast the scratch folder's removal.
    for (const std::string& path : made_) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RegistrySandbox::TearDown();
  }
  // Makes the folders on the way and the file with the given attributes.
  std::string Make(const std::string& relative, DWORD attributes) {
    const std::string path = ScratchFolder() + "\\" + relative;
    SHCreateDirectoryExA(nullptr, path.substr(0, path.rfind('\\')).c_str(), nullptr);
    std::ofstream(path) << "bytes of " << relative;
    SetFileAttributesA(path.c_str(), attributes);
    made_.push_back(path);
    return path;
  }
  std::string Vault(const char* name) const {
    return ScratchFolder() + "\\appdata\\Korvane\\vault\\" + name;
  }
  // The listed items below the scratch folder by path, and how often each was listed.
  std::map<std::string, Listed> Scratch() const {
    std::map<std::string, Listed> found;
    for (const ItemRow& row : ReadItems()) {
      if (row.command.rfind(ScratchFolder() + "\\", 0) != 0) continue;
      EXPECT_EQ(kTypeHidden, row.code);
      Listed& item = found[row.command.substr(ScratchFolder().size() + 1)];
      item = {row, item.times + 1};
    }
    return found;
  }
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
  ASSERT_TRUE(CopyFileA(ProgramFile("kv_versioned_sample.exe").c_str(),
                        (ScratchFolder() + "\\sample.exe").c_str(), FALSE));
  SetFileAttributesA((ScratchFolder() + "\\sample.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  const std::string loop = ScratchFolder() + "\\loop";
  const bool linked =
      CreateSymbolicLinkA(loop.c_str(), ScratchFolder().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);

  const int count = EnumerateHiddenFiles();
  EXPECT_EQ(count, ItemCount());
  if (linked) RemoveDirectoryA(loop.c_str());
  const auto found = Scratch();
  ASSERT_EQ(5u, found.size());
  EXPECT_EQ(2, found.at("top.txt").times);
  EXPECT_EQ("top", found.at("top.txt").row.title);
  EXPECT_EQ(ScratchFolder() + "\\top.txt", found.at("top.txt").row.key);
  EXPECT_EQ(1, found.at("top.txt").row.value);
  EXPECT_EQ(0, found.at("both.txt").row.value) << "a system file";
  EXPECT_EQ(1, found.at("sub\\one.txt").times);
  EXPECT_EQ(1, found.at("folder\\inside.txt").times) << "a hidden folder is searched, not listed";
  EXPECT_EQ("Versioned Sample", found.at("sample.exe").row.title);
}

TEST_F(HiddenFilesTest, DeletedFileGoesToTheVaultAndComesBackHiddenButAFileInUseStays) {
  const std::string path = Make("gone.dat", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str(), "2008/01/01 10:00");
  ASSERT_TRUE(DeleteHiddenFile("Gone", path.c_str()));
  EXPECT_FALSE(PathExists(path));
  EXPECT_TRUE(PathExists(HiddenVaultPath(path.c_str())));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str()));
  EXPECT_NE(std::string::npos,
            HistoryText().find("*HIDDEN_DeleteFile\tTYPE_HIDDEN\tGone\t" + path + "\t\r\n"));

  ASSERT_TRUE(RestoreHiddenFileFromVault(path.c_str()));
  EXPECT_NE(0u, GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ("bytes of gone.dat", FileText(path));
  EXPECT_FALSE(PathExists(HiddenVaultPath(path.c_str())));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str()).empty());
  RegDeleteKeyA(HKEY_CURRENT_USER, kHiddenSnapshotKey);
  EXPECT_FALSE(RestoreHiddenFileFromVault(path.c_str())) << "the vault copy was used up";
  EXPECT_TRUE(PathExists(path));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kHiddenSnapshotKey, path.c_str()).empty());

  // Still hidden, so that the next check asks again; no history, no stale vault copy.
  const std::string history = HistoryText();
  const std::string busy = Make("busy.dat", FILE_ATTRIBUTE_HIDDEN);
  SettingsWriteString(HKEY_CURRENT_USER, kHiddenSnapshotKey, busy.c_str(), "2008/01/01 10:00");
  HANDLE open = CreateFileA(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, open);
  EXPECT_FALSE(DeleteHiddenFile("Busy", busy.c_str()));
  CloseHandle(open);
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN),
            GetFileAttributesA(busy.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL));
  EXPECT_FALSE(PathExists(HiddenVaultPath(busy.c_str())));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kHiddenSnapshotKey, busy.c_str()));
  EXPECT_EQ(history, HistoryText());
}

// Two files of one name keep a copy each; a copy an older version named by the file name
// alone still comes back.
TEST_F(HiddenFilesTest, VaultCopiesOfFilesOfOneNameKeepApartAndOldCopiesRestore) {
  const std::string upper = Make("twin.dat", FILE_ATTRIBUTE_HIDDEN);
  const std::string lower = Make("sub\\twin.dat", FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(0u, HiddenVaultPath(upper.c_str()).rfind(Vault("twin.dat."), 0));
  EXPECT_NE(HiddenVaultPath(upper.c_str()), HiddenVaultPath(lower.c_str()));
  ASSERT_TRUE(DeleteHiddenFile("Upper", upper.c_str()));
  ASSERT_TRUE(DeleteHiddenFile("Lower", lower.c_str()));
  ASSERT_TRUE(RestoreHiddenFileFromVault(upper.c_str()));
  ASSERT_TRUE(RestoreHiddenFileFromVault(lower.c_str()));
  EXPECT_EQ("bytes of twin.dat", FileText(upper));
  EXPECT_EQ("bytes of sub\\twin.dat", FileText(lower));

  SetFileAttributesA(upper.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(DeleteFileA(upper.c_str()));
  ASSERT_TRUE(CopyFileA(lower.c_str(), Vault("twin.dat").c_str(), FALSE));
  ASSERT_TRUE(RestoreHiddenFileFromVault(upper.c_str()));
  EXPECT_EQ("bytes of sub\\twin.dat", FileText(upper));
  EXPECT_FALSE(PathExists(Vault("twin.dat")));
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
