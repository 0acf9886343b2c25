#include "watch_paths.h"

#include <gtest/gtest.h>

#include <string>

TEST(WatchPaths, KeysClimbToTheKeyBelowTheirRoot) {
  std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  ASSERT_TRUE(WatchParentKey(key));
  EXPECT_EQ("Software\\Microsoft\\Windows\\CurrentVersion", key);
  key = "Software\\Tamsel";
  ASSERT_TRUE(WatchParentKey(key));
  EXPECT_EQ("Software", key);
  EXPECT_FALSE(WatchParentKey(key)) << "the root itself is never watched";
  EXPECT_EQ("Software", key);
  for (std::string odd : {std::string(), std::string("\\Lead"), std::string("Plain")}) {
    const std::string before = odd;
    EXPECT_FALSE(WatchParentKey(odd)) << before;
    EXPECT_EQ(before, odd);
  }
}

TEST(WatchPaths, FoldersClimbToTheDriveRootKeepingItsBackslash) {
  std::string folder = "C:\\windows\\system32\\drivers\\etc";
  ASSERT_TRUE(WatchParentFolder(folder));
  EXPECT_EQ("C:\\windows\\system32\\drivers", folder);
  folder = "C:\\windows\\";
  ASSERT_TRUE(WatchParentFolder(folder));
  EXPECT_EQ("C:\\", folder);
  EXPECT_FALSE(WatchParentFolder(folder));
  EXPECT_EQ("C:\\", folder);
  for (std::string odd : {std::string(), std::string("C:"), std::string("name"),
                          std::string("\\\\\\"), std::string("\\x")}) {
    const std::string before = odd;
    EXPECT_FALSE(WatchParentFolder(odd)) << before;
    EXPECT_EQ(before, odd);
  }
  folder = "\\\\server\\share\\dir";
  ASSERT_TRUE(WatchParentFolder(folder));
  EXPECT_EQ("\\\\server\\share", folder);
}

TEST(WatchPaths, AFileLiesInTheFolderBeforeItsLastBackslash) {
  EXPECT_EQ("C:\\windows\\system32\\drivers\\etc",
            WatchFolderOfFile("C:\\windows\\system32\\drivers\\etc\\HOSTS"));
  EXPECT_EQ("C:\\", WatchFolderOfFile("C:\\autoexec.bat"));
  EXPECT_EQ("", WatchFolderOfFile("HOSTS"));
  EXPECT_EQ("", WatchFolderOfFile("\\HOSTS"));
  EXPECT_EQ("", WatchFolderOfFile(""));
  EXPECT_EQ("", WatchFolderOfFile("C:\\"));
  EXPECT_EQ("", WatchFolderOfFile("C:\\windows\\"));
}
