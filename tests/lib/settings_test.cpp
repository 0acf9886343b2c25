#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr char kProbeKey[] = "Software\\Tamsel\\Korvane\\Probe";

using namespace std::string_literals;

void Put(const char* value, const std::string& data, DWORD type = REG_SZ) {
  WriteRegValue(HKEY_CURRENT_USER, kProbeKey, value, type, data);
}

class SettingsStoreTest : public RegistrySandbox {
 protected:
  // Reads into a buffer filled with 'x' past the capacity, so that a write past it shows.
  int Read(const char* value, int capacity) {
    buffer_.assign(capacity + 8, 'x');
    int length = SettingsReadString(HKEY_CURRENT_USER, kProbeKey, value, buffer_.data(), capacity);
    EXPECT_EQ(std::string(8, 'x'), buffer_.substr(capacity)) << "wrote past the capacity";
    return length;
  }
  std::string Text() const { return buffer_.c_str(); }

 private:
  std::string buffer_;
};

TEST_F(SettingsStoreTest, ReadReturnsTextThatFitsWithItsTerminator) {
  Put("long", std::string(1023, 'c') + '\0');
  EXPECT_EQ(1023, Read("long", 1024));
  EXPECT_EQ(std::string(1023, 'c'), Text());
  EXPECT_EQ(0, Read("long", 1023));
  EXPECT_EQ("", Text());
  Put("empty", ""s + '\0');
  for (const char* nothing : {"empty", "absent"}) {
    EXPECT_EQ(0, Read(nothing, 32));
    EXPECT_EQ("", Text());
  }
  char untouched = 'x';
  EXPECT_EQ(0, SettingsReadString(HKEY_CURRENT_USER, kProbeKey, "long", &untouched, 0));
  EXPECT_EQ('x', untouched);
}

TEST_F(SettingsStoreTest, ReadExpandsEnvironmentReferencesThatFit) {
  SetEnvironmentVariableA("KV_PROBE_DIR", "C:\\Probe");
  Put("e", "%KV_PROBE_DIR%\\tool.exe"s + '\0', REG_EXPAND_SZ);
  EXPECT_EQ(17, Read("e", 64));
  EXPECT_EQ("C:\\Probe\\tool.exe", Text());
  EXPECT_EQ(0, Read("e", 17));  // the expansion, not the stored text, must fit
  // An expansion beyond the limit keeps the stored text.
  SetEnvironmentVariableA("KV_PROBE_WIDE", std::string(700, 'w').c_str());
  Put("e", "%KV_PROBE_WIDE%%KV_PROBE_WIDE%"s + '\0', REG_EXPAND_SZ);
  EXPECT_EQ(30, Read("e", 1024));
  EXPECT_EQ("%KV_PROBE_WIDE%%KV_PROBE_WIDE%", Text());
}

TEST_F(SettingsStoreTest, MalformedValuesReadSafely) {
  Put("unterminated", "abc");
  EXPECT_EQ(3, Read("unterminated", 16));
  EXPECT_EQ("abc", Text());
  Put("unterminated1024", std::string(1024, 'u'));
  EXPECT_EQ(0, Read("unterminated1024", 1024));
  Put("nuls", "abc\0def\0"s);
  EXPECT_EQ(3, Read("nuls", 16));
  EXPECT_EQ("abc", Text());

  const std::string huge(65536, 'h');
  Put("huge", huge + '\0');
  Put("hugeExpand", huge + '\0', REG_EXPAND_SZ);
  Put("hugeBinary", huge, REG_BINARY);
  Put("dword", "\x31\0\0\0"s, REG_DWORD);
  Put("multi", "a\0b\0\0"s, REG_MULTI_SZ);
  Put("binary", "text", REG_BINARY);
  for (const char* other : {"huge", "hugeExpand", "hugeBinary", "dword", "multi", "binary"}) {
    EXPECT_EQ(0, Read(other, 2048)) << other;
    EXPECT_EQ("", Text());
  }
}

TEST_F(SettingsStoreTest, WritesCreateKeysNumbersAndDeletes) {
  const char* deep = "Software\\Tamsel\\Korvane\\Delay\\Time\\Deeper";
  ASSERT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Tamsel"));
  EXPECT_EQ(1, SettingsWriteString(HKEY_LOCAL_MACHINE, deep, "name", "text"));
  DWORD size = 0;
  EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, deep, "name", RRF_RT_REG_SZ, nullptr,
                                        nullptr, &size));
  EXPECT_EQ(5u, size);  // with its terminator

  EXPECT_EQ(1, SettingsWriteNumber(HKEY_CURRENT_USER, kProbeKey, "mode", 4));
  EXPECT_EQ(4, SettingsReadSmallNumber(HKEY_CURRENT_USER, kProbeKey, "mode"));
  // Only the low two bytes are read, the first of them signed.
  SettingsWriteNumber(HKEY_CURRENT_USER, kProbeKey, "allOnes", 0xFFFFFFFF);
  EXPECT_EQ(-257, SettingsReadSmallNumber(HKEY_CURRENT_USER, kProbeKey, "allOnes"));
  EXPECT_EQ(0, SettingsReadSmallNumber(HKEY_CURRENT_USER, "Software\\Nowhere", "mode"));

  EXPECT_EQ(1, SettingsDeleteValue(HKEY_CURRENT_USER, kProbeKey, "mode"));
  EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kProbeKey, "mode"));
  EXPECT_EQ(0, SettingsDeleteValue(HKEY_CURRENT_USER, kProbeKey, "mode"));
  SettingsWriteString(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Run\\Inner", "a", "1");
  EXPECT_EQ(1, SettingsDeleteKeyTree(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Run"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Run"));
  EXPECT_EQ(0, SettingsDeleteKeyTree(HKEY_CURRENT_USER, ""));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kProbeKey));
}

}  // namespace
