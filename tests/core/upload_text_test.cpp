#include <gtest/gtest.h>

#include <string>

#include "upload_text.h"

TEST(UploadAddress, FieldsInOrderWithEveryValueEncoded) {
  const UploadRecord record{"K1", "12/06/2026  1:07 PM", "START_Remove", "CURRENT_RUN",
                            "A&B=C #D+E", "C:\\T\\tool.exe -min"};
  EXPECT_EQ(
      "http://h/h.pl?&code=K1&time=12%2F06%2F2026%20%201%3A07%20PM&action=START_Remove"
      "&type=CURRENT_RUN&title=A%26B%3DC%20%23D%2BE&path=C%3A%5CT%5Ctool.exe%20-min",
      UploadAddress("http://h/h.pl?", record));
  EXPECT_EQ("%00%FF%257E", UploadEncode(std::string("\0\xFF", 2) + "%7E"));
}
