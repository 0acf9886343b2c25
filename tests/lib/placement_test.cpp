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
  const int middleX = Screen(SM_CXSCREEN) / 2, middleY = Screen(SM_CYSCREEN) / 2;
  const int centreX = (Screen(SM_CXSCREEN) - kWidth) / 2;
  const int centreY = (Screen(SM_CYSCREEN) - kHeight) / 3;
  const struct {
    std::string x, y;
    int expectedX, expectedY;
  } cases[] = {
      {"-50", "-20", -50, -20},
      // Beyond the right edge: middle of the primary screen on that axis only.
      {std::to_string(Screen(SM_CXVIRTUALSCREEN) + 1), "40", middleX, 40},
      {"30", "99999999999999", 30, middleY},
      // Wholly before every monitor, which no monitor could have stored.
      {std::to_string(Screen(SM_XVIRTUALSCREEN) - kWidth), "40", middleX, 40},
      // Missing or unreadable values centre the window.
      {"", "", centreX, centreY},
      {"", "40", centreX, centreY},
      {std::string(70000, '7'), "40", centreX, centreY},
  };
  for (const auto& c : cases) {
    SettingsDeleteValue(HKEY_CURRENT_USER, kBaseKey, "xPosAlert");
    SettingsDeleteValue(HKEY_CURRENT_USER, kBaseKey, "yPosAlert");
    if (!c.x.empty()) Store("xPosAlert", c.x.c_str());
    if (!c.y.empty()) Store("yPosAlert", c.y.c_str());
    const POINT at = RestoredAt();
    EXPECT_EQ(c.expectedX, at.x) << c.x.substr(0, 20) << "," << c.y;
    EXPECT_EQ(c.expectedY, at.y) << c.x.substr(0, 20) << "," << c.y;
  }
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
