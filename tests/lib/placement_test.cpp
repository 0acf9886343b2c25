#include "foundation/placement.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr int kWidth = 200, kHeight = 100;

class PlacementTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 10, 20, kWidth, kHeight, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window_);
  }
  void TearDown() override {
    DestroyWindow(window_);
    RegistrySandbox::TearDown();
  }
  void Store(const char* name, const char* text) {
    SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, name, text);
  }
  POINT RestoredAt() {
    PlacementRestore(window_, kPlaceAlert);
    RECT rect = {};
    GetWindowRect(window_, &rect);
    EXPECT_EQ(kWidth, rect.right - rect.left);
    return {rect.left, rect.top};
  }
  static int Screen(int metric) { return GetSystemMetrics(metric); }

  HWND window_ = nullptr;
};

TEST_F(PlacementTest, StoredPositionsAreKeptOnScreen) {
  Store("xPosAlert", "-50");
  Store("yPosAlert", "-20");
  POINT at = RestoredAt();
  EXPECT_EQ(-50, at.x);
  EXPECT_EQ(-20, at.y);

  // Beyond the right edge: middle of the primary screen on that axis only.
  Store("xPosAlert", std::to_string(Screen(SM_CXVIRTUALSCREEN) + 1).c_str());
  Store("yPosAlert", "40");
  at = RestoredAt();
  EXPECT_EQ(Screen(SM_CXSCREEN) / 2, at.x);
  EXPECT_EQ(40, at.y);

  Store("xPosAlert", "30");
  Store("yPosAlert", "99999999999999");
  at = RestoredAt();
  EXPECT_EQ(30, at.x);
  EXPECT_EQ(Screen(SM_CYSCREEN) / 2, at.y);

  // Wholly before every monitor, which no monitor could have stored.
  Store("xPosAlert", std::to_string(Screen(SM_XVIRTUALSCREEN) - kWidth).c_str());
  at = RestoredAt();
  EXPECT_EQ(Screen(SM_CXSCREEN) / 2, at.x);
}

TEST_F(PlacementTest, MissingOrUnreadableValuesCentre) {
  const POINT centre = {(Screen(SM_CXSCREEN) - kWidth) / 2, (Screen(SM_CYSCREEN) - kHeight) / 3};
  POINT at = RestoredAt();
  EXPECT_EQ(centre.x, at.x);
  EXPECT_EQ(centre.y, at.y);

  Store("yPosAlert", "40");
  at = RestoredAt();
  EXPECT_EQ(centre.x, at.x);
  EXPECT_EQ(centre.y, at.y);

  Store("xPosAlert", std::string(70000, '7').c_str());
  at = RestoredAt();
  EXPECT_EQ(centre.x, at.x);
}

TEST_F(PlacementTest, SaveAndRestoreStoreTheStartPage) {
  Store("dxAlert", "1");
  SettingsWriteString(HKEY_CURRENT_USER, kOptionsKey, "StartTab", "6");
  PlacementRestore(window_, kPlaceAlert);
  EXPECT_EQ("0", ReadRegString(HKEY_CURRENT_USER, kOptionsKey, "StartTab"));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, kOptionsKey, "Update"));
  EXPECT_EQ("1", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "dxAlert"));  // size not restored

  SetWindowPos(window_, nullptr, -7, 33, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  g_pageCommand = 6027;
  PlacementSave(window_, kPlaceAlert);
  g_pageCommand = 0;
  EXPECT_EQ("-7", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "xPosAlert"));
  EXPECT_EQ("33", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "yPosAlert"));
  EXPECT_EQ("200", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "dxAlert"));
  EXPECT_EQ("100", ReadRegString(HKEY_CURRENT_USER, kBaseKey, "dyAlert"));
  EXPECT_EQ("6027", ReadRegString(HKEY_CURRENT_USER, kOptionsKey, "StartTab"));
}

}  // namespace
