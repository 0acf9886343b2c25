#include "startup/item_list.h"

#include <string>

#include "foundation/strings.h"
#include "resource.h"
#include "sandbox.h"

using ItemListTest = RegistrySandbox;

TEST_F(ItemListTest, RefusesTheItemBeyondTheLimits) {
  for (int i = 0; i < kItemListMax; ++i) ASSERT_EQ(1, ItemAdd("t", "c", "", "", 1, i));
  EXPECT_EQ(0, ItemAdd("t", "c", "", "", 1, 0));
  EXPECT_EQ(kItemListMax, ItemCount());
  EXPECT_EQ(kItemListMax - 1, ItemValue(kItemListMax - 1));
  ItemListClear();
  ItemListSetCookieLimit(2);
  EXPECT_EQ(1, ItemAdd("a", "", "", "", kItemCookieCode, 0));
  EXPECT_EQ(1, ItemAdd("b", "", "", "", kItemCookieCode, 0));
  EXPECT_EQ(0, ItemAdd("c", "", "", "", kItemCookieCode, 0));
  EXPECT_EQ(1, ItemAdd("d", "", "", "", 1, 0));
}

TEST_F(ItemListTest, TitlesAndTheLongFormOfCommandAndKey) {
  const std::string file = WriteScratchFile("LongFileName.exe", "x");
  char shortForm[MAX_PATH] = "", name[kItemTitleSize];
  ASSERT_GT(GetShortPathNameA(file.c_str(), shortForm, MAX_PATH), 0u);
  ItemAdd("Korvane Monitor", (ProgramFile("korvane.exe") + " -expressboot").c_str(), "", "", 1, 0);
  ItemAdd("", "\"C:\\Tools\\quoted.exe\"", "", "", 11, 0);
  ItemAdd(nullptr, nullptr, nullptr, nullptr, 11, 0);
  ItemAdd("t", shortForm, shortForm, "", 200, 0);
  // A foreign program may borrow the name; only our own program is shown as ours.
  ItemAdd("Korvane Monitor", "C:\\x.exe", "", "", 11, 0);
  LocalString(IDS_CLASS_NAME, name, sizeof name);
  EXPECT_EQ(name, ReadItem(0).title);
  EXPECT_EQ("Korvane Monitor", ReadItem(4).title);
  EXPECT_EQ("quoted", ReadItem(1).title);
  EXPECT_EQ("C:\\Tools\\quoted.exe", ReadItem(1).command);
  EXPECT_EQ("", ReadItem(2).title);
  EXPECT_EQ(file, ReadItem(3).command);
  EXPECT_EQ(file, ReadItem(3).key);
}

TEST_F(ItemListTest, FieldsAreCutAndCopiesBounded) {
  const std::string huge(5000, 'x');
  ASSERT_EQ(1, ItemAdd(huge.c_str(), huge.c_str(), huge.c_str(), huge.c_str(), 7, -3));
  char title[kItemTitleSize], command[kItemCommandSize], key[kItemKeySize], small[8] = "keep";
  EXPECT_EQ(kItemTitleSize - 1, ItemTitle(0, title));
  EXPECT_EQ(kItemCommandSize - 1, ItemCommand(0, command));
  EXPECT_EQ(kItemKeySize - 1, ItemKey(0, key));
  EXPECT_EQ(kItemExtraSize - 1, ItemExtra(0, small, 0));
  EXPECT_STREQ("keep", small);
  EXPECT_EQ(kItemExtraSize - 1, ItemExtra(0, small, sizeof small));
  EXPECT_STREQ("xxxxxxx", small);
  for (int unreachable : {-1, 1, kItemListMax}) {
    EXPECT_EQ(0, ItemTitle(unreachable, title));
    EXPECT_STREQ("", title);
    EXPECT_EQ(0, ItemCode(unreachable));
  }
}
