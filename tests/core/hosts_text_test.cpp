#include "hosts_text.h"

#include <gtest/gtest.h>

TEST(HostsTextTest, LocalAddressesByExactValue) {
  for (const char* local : {"127.0.0.1", "127.1.2.3", "0.0.0.0", "0", "::1", "::",
                            "0:0:0:0:0:0:0:1", "::ffff:127.0.0.1", "fe80::1%lo0"})
    EXPECT_TRUE(HostsAddressIsLocal(local)) << local;
  for (const char* remote : {"10.0.0.5", "10.0.0.0", "192.168.0.1", "1.127.0.0.1", "127.0.0.1.5",
                             "127.0.0.256", "::2", "2001:db8::1", "fe80::1", "example.com", ""})
    EXPECT_FALSE(HostsAddressIsLocal(remote)) << remote;
}

TEST(HostsTextTest, RedirectionsAreLoggedOnEveryLineIncludingTheLast) {
  const std::string body =
      "# comment 10.0.0.5 x\r\n127.0.0.1 localhost\r\n::1 localhost\r\n"
      "0.0.0.0 ads.example\r\n10.0.0.5 example\r\n\tbank.example.com\t1.2.3.4\r\n"
      "  # indented comment\r\n";
  // A line whose first word is no address at all is not a local one either.
  const std::vector<std::string> expected = {"10.0.0.5 example", " bank.example.com 1.2.3.4",
                                             "10.0.0.5 bad.example"};
  for (const char* last : {"10.0.0.5 bad.example", "10.0.0.5 bad.example\n",
                           "10.0.0.5 bad.example\r\n"}) {
    const auto lines = HostsLoggedLines(body + last);
    EXPECT_EQ(lines, expected) << last;
  }
  for (const char* last : {"127.0.0.1 localhost", "0.0.0.0 ads.example", "::1 localhost"})
    EXPECT_EQ(HostsLoggedLines(body + last).size(), 2u) << last;
}

TEST(HostsTextTest, ShownLinesLoseControlCharacters) {
  EXPECT_EQ(HostsLineShown("10.0.0.5\tevil\x01\r"), "10.0.0.5 evil");
  EXPECT_FALSE(HostsLineLogged("1.2"));
  EXPECT_FALSE(HostsLineLogged(std::string(500, '1')));
  EXPECT_TRUE(HostsLineLogged("1.2.3.4 " + std::string(491, 'a')));
  EXPECT_TRUE(HostsLineLogged("  10.1.1.1 host"));
}
