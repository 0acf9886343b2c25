#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr char kProbeKey[] = "Software\\Tamsel\\Korvane\\Probe";

void PutRaw(HKEY root, const char* subkey, const char* value, DWORD type, const std::string& data) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr));
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, value, 0, type,
                                          reinterpret_cast<const BYTE*>(data.data()),
                                          static_cast<DWORD>(data.size())));
  RegCloseKey(key);
}

void PutText(const char* value, const std::string& text, DWORD type = REG_SZ) {
  PutRaw(HKEY_CURRENT_USER, kProbeKey, value, type, text + '\0');
}

class SettingsStoreTest : public RegistrySandbox {
 protected:
  // Reads the probe value into a buffer of the given capacity that is filled with 'x' first,
  // so that a missing terminator or a write past the capacity shows.
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
  PutText("long", std::string(1023, 'c'));
  EXPECT_EQ(1023, Read("long", 1024));
  EXPECT_EQ(std::string(1023, 'c'), Text());
  EXPECT_EQ(0, Read("long", 1023));
  EXPECT_EQ("", Text());

  PutText("empty", "");
  for (const char* nothing : {"empty", "absent"}) {
    EXPECT_EQ(0, Read(nothing, 32));
    EXPECT_EQ("", Text());
  }
  char untouched = 'x';
  EXPECT_EQ(0, SettingsReadString(HKEY_CURRENT_USER, kProbeKey, "long", &untouched, 0));
  EXPECT_EQ('x', untouched);
}

TEST_F(SettingsStoreTest, ReadExpandsEnvironmentReferences) {
  SetEnvironmentVariableA("KV_PROBE_DIR", "C:\\Probe");
  PutText("e", "%KV_PROBE_DIR%\\tool.exe", REG_EXPAND_SZ);
  EXPECT_EQ(17, Read("e", 64));
  EXPECT_EQ("C:\\Probe\\tool.exe", Text());
  // The expansion, not the stored text, must fit the caller's buffer.
  EXPECT_EQ(0, Read("e", 17));
  PutText("plain", "%KV_PROBE_DIR%", REG_SZ);
  EXPECT_EQ(14, Read("plain", 64));
  EXPECT_EQ("%KV_PROBE_DIR%", Text());
  // An expansion beyond the limit keeps the stored text.
  SetEnvironmentVariableA("KV_PROBE_WIDE", std::string(700, 'w').c_str());
  PutText("e", "%KV_PROBE_WIDE%%KV_PROBE_WIDE%", REG_EXPAND_SZ);
  EXPECT_EQ(30, Read("e", 1024));
  EXPECT_EQ("%KV_PROBE_WIDE%%KV_PROBE_WIDE%", Text());
}

TEST_F(SettingsStoreTest, MalformedValuesReadSafely) {
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "unterminated", REG_SZ, "abc");
  EXPECT_EQ(3, Read("unterminated", 16));
  EXPECT_EQ("abc", Text());

  // Whether the platform leaves room for a terminator here varies; either answer is whole.
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "unterminated1024", REG_SZ, std::string(1024, 'u'));
  int length = Read("unterminated1024", 1025);
  EXPECT_TRUE(length == 0 || length == 1024) << length;
  EXPECT_EQ(static_cast<std::size_t>(length), Text().size());
  EXPECT_EQ(0, Read("unterminated1024", 1024));

  PutRaw(HKEY_CURRENT_USER, kProbeKey, "nuls", REG_SZ, std::string("abc\0def\0", 8));
  EXPECT_EQ(3, Read("nuls", 16));
  EXPECT_EQ("abc", Text());

  const std::string huge(65536, 'h');
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "huge", REG_SZ, huge + '\0');
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "hugeExpand", REG_EXPAND_SZ, huge + '\0');
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "hugeBinary", REG_BINARY, huge);
  for (const char* hostile : {"huge", "hugeExpand", "hugeBinary"}) {
    EXPECT_EQ(0, Read(hostile, 2048)) << hostile;
    EXPECT_EQ("", Text());
  }

  // Other types read as not there.
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "dword", REG_DWORD, std::string("\x31\0\0\0", 4));
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  PutRaw(HKEY_CURRENT_USER, kProbeKey, "binary", REG_BINARY, "text");
  for (const char* other : {"dword", "multi", "binary"}) EXPECT_EQ(0, Read(other, 16)) << other;
}

TEST_F(SettingsStoreTest, WriteCreatesMissingKeysAndStoresTerminatedText) {
  const char* deep = "Software\\Tamsel\\Korvane\\Delay\\Time\\Deeper";
  ASSERT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Tamsel"));
  EXPECT_EQ(1, SettingsWriteString(HKEY_LOCAL_MACHINE, deep, "name", "text"));
  EXPECT_EQ("text", ReadRegString(HKEY_LOCAL_MACHINE, deep, "name"));
  DWORD type = 0, size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, deep, "name", RRF_RT_ANY, &type,
                                        nullptr, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(5u, size);
  EXPECT_EQ(1, SettingsWriteString(HKEY_LOCAL_MACHINE, deep, "", "default"));
  EXPECT_EQ("default", ReadRegString(HKEY_LOCAL_MACHINE, deep, ""));
  EXPECT_EQ(1, SettingsCreateKey(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected\\Startup"));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected\\Startup"));
  EXPECT_EQ(1, SettingsCreateKey(HKEY_CURRENT_USER, "Software\\Tamsel\\Detected\\Startup"));
}

TEST_F(SettingsStoreTest, NumbersDeletesAndKeyTrees) {
  EXPECT_EQ(1, SettingsWriteNumber(HKEY_CURRENT_USER, kProbeKey, "mode", 4));
  DWORD stored = 0, size = sizeof stored, type = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, kProbeKey, "mode", RRF_RT_ANY, &type,
                                        &stored, &size));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
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
  EXPECT_EQ(1, SettingsDeleteKeyTree(HKEY_CURRENT_USER, "Software\\Tamsel\\Korvane\\Run"));
  EXPECT_EQ(0, SettingsDeleteKeyTree(HKEY_CURRENT_USER, ""));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kProbeKey));
}

}  // namespace
