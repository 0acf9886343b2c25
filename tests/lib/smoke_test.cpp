#include "sandbox.h"

TEST_F(RegistrySandbox, MapsHkcuOntoAScratchKey) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Probe", 0, nullptr, 0,
                                           KEY_ALL_ACCESS, nullptr, &key, nullptr));
  RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
  RegCloseKey(key);
  EXPECT_EQ("x", ReadRegString(HKEY_CURRENT_USER, "Software\\Probe", "v"));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Probe"));
  EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft"));
}
