#include "velt_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(VeltText, VersionCheckPrefersTheStoredAddress) {
  EXPECT_EQ("http://v.example/check?id=1&build=15.2.2008.0:15.2.2008.0&Loc=us",
            VeltVersionAddress("http://v.example/check?id=1", "http://maker/version.html?",
                               "15.2.2008.0:15.2.2008.0", "us"));
  EXPECT_EQ("http://maker/version.html?&build=1.0&Loc=de",
            VeltVersionAddress("", "http://maker/version.html?", "1.0", "de"));
}

TEST(VeltText, VersionCheckKeepsHostileTextsInsideTheAddress) {
  // A blank or quote in the build text must not end the address the shell is given.
  const std::string address = VeltVersionAddress("", "http://m/v?", "1 \"2", "u&s");
  EXPECT_EQ("http://m/v?&build=1%20%222&Loc=u+s", address);
  const std::string longest = VeltVersionAddress(std::string(5000, 'a'), "x", "b", "c");
  EXPECT_EQ(std::string(256, 'a') + "&build=b&Loc=c", longest);
}

TEST(VeltText, NewsPageBelowTheBase) {
  EXPECT_EQ("http://www.example.com/news.html", VeltNewsAddress("http://www.example.com/"));
}
