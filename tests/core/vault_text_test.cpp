#include <gtest/gtest.h>

#include "vault_text.h"

TEST(VaultText, NamesKeepFilesOfOneNameApartAndIgnoreTheFolderCase) {
  const std::string first = VaultCopyName("C:\\WINDOWS\\a.dll");
  EXPECT_EQ(0u, first.rfind("a.dll.", 0)) << first;
  EXPECT_EQ(6u + 16u, first.size());
  EXPECT_NE(first, VaultCopyName("C:\\WINDOWS\\system32\\a.dll"));
  EXPECT_EQ(first, VaultCopyName("c:\\windows\\a.dll"));
  EXPECT_EQ("", VaultCopyName("C:\\folder\\"));
  EXPECT_EQ("", VaultCopyName("nobackslash"));
  EXPECT_EQ("", VaultCopyName("C:\\a\\.."));
}
