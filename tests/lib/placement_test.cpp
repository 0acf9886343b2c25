#include "foundation/placement.h"

#include <string>

#include "foundation/settings.h"
#include "sandbox.h"

namespace {

constexpr int kWidth = 200, kHeight = 100;

void Store(const char* name, const std::string& text) {
  if (text.empty())
    SettingsDeleteValue(HKEY_CURRENT_USER, kBaseKey, name);
  else
    SettingsWriteString(HKEY_CURRENT_USER, kBaseKey, name, text.c_str());
}

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
  HWND window_ = nullptr;
};

TEST_F(PlacementTest, StoredPositionsAreKeptOnScreen) {
  const int screenX = GetSystemMetrics(SM_CXSCREEN), screenY = GetSystemMetrics(SM_CYSCREEN);
  const int centreX = (screenX - kWidth) / 2, centreY = (screenY - kHeight) / 3;
  const struct {
    std::string x, y;
    int expectedX, expectedY;
  } cases[] = {
      {"-50", "-20", -50, -20},
      // Beyond the right edge: middle of the primary screen on that axis only.
      {std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN) + 1), "40", screenX / 2, 40},
      {"30", "99999999999999", 30, screenY / 2},
      // Wholly before every monitor, which no monitor could have stored.
      {std::to_string(GetSystemMetrics(SM_XVIRTUALSCREEN) - kWidth), "40", screenX / 2, 40},
      // Missing or unreadable values centre the window.
      {"", "", centreX, centreY},
      {"", "40", centreX, centreY},
      {std::string(70000, '7'), "40", centreX, centreY},
  };
  Store("dxAlert", "1");  // a stored size is not restored
  for (const auto& c : cases) {
    Store("xPosAlert", c.x);
    Store("yPosAlert", c.y);
    PlacementRestore(window_, kPlaceAlert);
    RECT rect = {};
    GetWindowRect(window_, &rect);
    EXPECT_EQ(kWidth, rect.right - rect.left);
    EXPECT_EQ(c.expectedX, rect.left) << c.x.substr(0, 20) << "," << c.y;
    EXPECT_EQ(c.expectedY, rect.top) << c.x.substr(0, 20) << "," << c.y;
  }
}

TEST_F(PlacementTest, SaveStoresPositionSizeAndStartPage) {
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
