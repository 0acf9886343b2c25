#include <gtest/gtest.h>

#include <string>

#include "sha256_text.h"

// The published test vectors, and the same digest however the bytes arrive.
TEST(Sha256Text, KnownDigestsAndPiecewiseInput) {
  EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", Sha256Text(""));
  EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
            Sha256Text("abc"));
  const std::string two = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  EXPECT_EQ("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
            Sha256Text(two));
  const std::string million(1000000, 'a');
  EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0",
            Sha256Text(million));
  Sha256State state;
  Sha256Start(state);
  for (std::size_t at = 0; at < two.size(); at += 7) Sha256Add(state, two.substr(at, 7));
  EXPECT_EQ(Sha256Text(two), Sha256Hex(state));
  EXPECT_NE(Sha256Text(std::string(55, 'x')), Sha256Text(std::string(56, 'x')));
}
