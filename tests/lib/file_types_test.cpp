#include "categories/file_types.h"

#include <string>

#include "filetype_text.h"
#include "foundation/settings.h"
#include "sandbox.h"
#include "startup/item_list.h"

namespace {

constexpr char kClass[] = "Software\\Tamsel\\Korvane\\Class";
constexpr char kExt[] = "Software\\Tamsel\\Korvane\\Ext";
constexpr char kUserExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\";

class FileTypes : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr, "KvtFile");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\KvtFile", nullptr, "Kv Text");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\KvtFile\\shell\\open\\command", nullptr,
                   "\"C:\\a\\note.exe\" %1");
    WriteRegString(HKEY_CURRENT_USER, std::string(kUserExts) + ".kvt", "ProgID", "KvtUser");
    WriteRegString(HKEY_CLASSES_ROOT, "KvtUser\\shell\\open\\command", nullptr,
                   "C:\\b\\edit.exe %1");
  }
  static std::string Live(HKEY root, const std::string& key) {
    return ReadRegString(root, (key + "\\shell\\open\\command").c_str(), nullptr);
  }
};

TEST_F(FileTypes, BothSourcesGiveTwoItemsAndUnresolvedKeysNone) {
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvm\\x", nullptr, "no default above");
  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, "KVT;;kvm;");
  ASSERT_EQ(2, EnumerateFileTypes());
  const ItemRow first = ReadItem(0), second = ReadItem(1);
  EXPECT_EQ("KvtFile", first.key);
  EXPECT_EQ("C:\\a\\note.exe %1", first.command);
  EXPECT_EQ(1, first.value);
  EXPECT_EQ(".KVT", second.extra);
  EXPECT_EQ(3, second.value);
  EXPECT_EQ(kFileTypeCode, second.code);
  // Without a class description the key is the program's file description, not the ProgID.
  EXPECT_TRUE(IsClassInUse("kvtfile"));
  EXPECT_FALSE(IsClassInUse("KvtUser"));
  EXPECT_FALSE(IsClassInUse("Other"));
}

TEST_F(FileTypes, FirstStartFillsTheStoreOnce) {
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.txt", nullptr, "KvtFile");
  InitFileTypeStore();
  EXPECT_NE("", ReadRegString(HKEY_CURRENT_USER, kClass, nullptr));
  EXPECT_EQ("KvtFile", ReadRegString(HKEY_CURRENT_USER, kExt, ".TXT"));
  EXPECT_EQ("\"C:\\a\\note.exe\" %1", ReadRegString(HKEY_CURRENT_USER, kClass, "KvtFile"));
  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, "KVT;");
  EXPECT_EQ(0, InitFileTypeStore());
  EXPECT_EQ("KVT;", ReadRegString(HKEY_CURRENT_USER, kClass, nullptr));
}

TEST_F(FileTypes, AddingRefusesListedAndOverlongAndRemovingForgets) {
  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, "AVI;");
  EXPECT_EQ(0, AddWatchedFileType(".kvt"));
  EXPECT_EQ("AVI;kvt;", ReadRegString(HKEY_CURRENT_USER, kClass, nullptr));
  EXPECT_EQ("KvtFile", ReadRegString(HKEY_CURRENT_USER, kExt, ".kvt"));
  EXPECT_EQ("KvtUser",
            ReadRegString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\ExtProgID", ".kvt"));
  EXPECT_EQ(kFileTypeAlreadyWatched, AddWatchedFileType("KVT"));

  RemoveWatchedFileType("KVT");
  EXPECT_EQ("AVI;", ReadRegString(HKEY_CURRENT_USER, kClass, nullptr));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kExt, ".kvt"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kClass, "KvtFile"));

  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, std::string(1016, 'A'));
  EXPECT_EQ(0, AddWatchedFileType("kvt"));
  EXPECT_EQ(kFileTypeListFull, AddWatchedFileType("x"));
  EXPECT_EQ(std::string(1016, 'A') + ";kvt;", ReadRegString(HKEY_CURRENT_USER, kClass, nullptr));
  EXPECT_EQ(2, EnumerateFileTypes());
  // Longer than the store reads: refused and left alone rather than taken as empty.
  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, std::string(5000, 'B') + ";");
  EXPECT_EQ(kFileTypeListFull, AddWatchedFileType("kvt"));
  RemoveWatchedFileType("kvt");
  DWORD size = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, kClass, nullptr, RRF_RT_REG_SZ, nullptr,
                                        nullptr, &size));
  EXPECT_EQ(5002u, size);
}

TEST_F(FileTypes, RestoreWritesBackEachSourceAndArgumentsCount) {
  WriteRegString(HKEY_CURRENT_USER, std::string(kUserExts) + ".kvt", "Application", "kv.exe");
  WriteRegString(HKEY_CLASSES_ROOT, "Applications\\kv.exe\\shell\\open\\command", nullptr,
                 "C:\\kv.exe %1");
  WriteRegString(HKEY_CLASSES_ROOT, ".kvt", nullptr, "KvtRoot");
  WriteRegString(HKEY_CLASSES_ROOT, "KvtRoot\\shell\\open\\command", nullptr, "C:\\r.exe");
  for (int source = 0; source <= 5; ++source) StoreAssociation("kvt", source);
  const std::string stored = ReadRegString(HKEY_CURRENT_USER, kClass, "KvtUser");
  EXPECT_FALSE(FileTypeCommandsDiffer(stored, "D:\\moved\\edit.exe %1"));
  EXPECT_TRUE(FileTypeCommandsDiffer(stored, "C:\\b\\edit.exe /x %1"));

  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr, "Evil");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\KvtFile\\shell\\open\\command", nullptr,
                 "x.exe");
  WriteRegString(HKEY_CURRENT_USER, std::string(kUserExts) + ".kvt", "Application", "evil.exe");
  WriteRegString(HKEY_CLASSES_ROOT, "Applications\\kv.exe\\shell\\open\\command", nullptr, "y.exe");
  WriteRegString(HKEY_CURRENT_USER, std::string(kUserExts) + ".kvt", "ProgID", "EvilUser");
  WriteRegString(HKEY_CLASSES_ROOT, "KvtUser\\shell\\open\\command", nullptr, "z.exe");
  for (int source = 0; source <= 5; ++source) RestoreAssociation(".kvt", source);

  EXPECT_EQ("KvtRoot", ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr));
  RestoreAssociation(".kvt", 1);
  EXPECT_EQ("KvtFile", ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvt", nullptr));
  EXPECT_EQ("\"C:\\a\\note.exe\" %1", Live(HKEY_LOCAL_MACHINE, "Software\\Classes\\KvtFile"));
  const std::string user = std::string(kUserExts) + ".kvt";
  EXPECT_EQ("kv.exe", ReadRegString(HKEY_CURRENT_USER, user.c_str(), "Application"));
  EXPECT_EQ("C:\\kv.exe %1", Live(HKEY_CLASSES_ROOT, "Applications\\kv.exe"));
  EXPECT_EQ("KvtUser", ReadRegString(HKEY_CURRENT_USER, user.c_str(), "ProgID"));
  EXPECT_EQ("C:\\b\\edit.exe %1", Live(HKEY_CLASSES_ROOT, "KvtUser"));
  // Nothing stored for an extension: nothing is written, least of all the watched list.
  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, "AVI;");
  RestoreAssociation(".none", 3);
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, (std::string(kUserExts) + ".none").c_str()));
}

// The store keeps the command as the registry has it, so an unchanged command with quotes or
// an '=' is no change on any visit, and a restore puts back the quotes a path with blanks needs.
TEST_F(FileTypes, StoredCommandsCompareAsTheyAreAndRestoreWhole) {
  const std::string command = "\"C:\\a b\\note.exe\" /mode=fast \"%1\"";
  const char kCommandKey[] = "Software\\Classes\\KvtFile\\shell\\open\\command";
  WriteRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr, command);
  std::string stored, live;
  EXPECT_EQ(0, CompareAssociation("kvt", 1, stored, live)) << "nothing stored yet";
  EXPECT_EQ("", stored);
  EXPECT_EQ(command, ReadRegString(HKEY_CURRENT_USER, kClass, "KvtFile"));
  for (int visit = 0; visit < 2; ++visit) {
    EXPECT_EQ(0, CompareAssociation("kvt", 1, stored, live));
    EXPECT_EQ(command, stored);
    EXPECT_EQ(command, live);
  }
  // An older version stored the command without its quotes: still the same command.
  WriteRegString(HKEY_CURRENT_USER, kClass, "KvtFile", "C:\\a b\\note.exe /mode=fast %1");
  EXPECT_EQ(0, CompareAssociation("kvt", 1, stored, live));
  StoreAssociation("kvt", 1);

  WriteRegString(HKEY_LOCAL_MACHINE, kCommandKey, nullptr,
                 "\"C:\\a b\\note.exe\" /mode:fast %1");
  EXPECT_EQ(1, CompareAssociation("kvt", 1, stored, live));
  EXPECT_EQ(command, stored);
  RestoreAssociation("kvt", 1);
  EXPECT_EQ(command, Live(HKEY_LOCAL_MACHINE, "Software\\Classes\\KvtFile"));
  EXPECT_EQ(0, CompareAssociation("kvt", 1, stored, live));
  EXPECT_EQ(0, CompareAssociation("kvt", 2, stored, live)) << "a source that does not resolve";
}

TEST_F(FileTypes, LoopsAndHostileValuesEndQuietly) {
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvl", nullptr, ".kvl");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvl\\shell\\open\\command", nullptr,
                 "l.exe");
  WriteRegString(HKEY_CURRENT_USER, std::string(kUserExts) + ".kvl", "ProgID", ".kvl");
  WriteRegString(HKEY_CLASSES_ROOT, ".kvl", nullptr, ".kvl");
  WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.kvx", nullptr, std::string(4000, 'P'));
  WriteRegString(HKEY_CURRENT_USER, kClass, nullptr, "kvl;kvx;" + std::string(300, 'q') + ";");
  EXPECT_EQ(1, EnumerateFileTypes());
  char progId[kFileTypeTextSize], command[kFileTypeTextSize];
  EXPECT_FALSE(LookUpAssociation("kvl", 4, progId, command));
}

}  // namespace
