// The signature state in front of the user: the monitor's alert for a signed, a tampered and
// an unsigned stand-in program (each calling itself Microsoft's), and the Startup page's
// Signature column for the same three.
#include <string>

#include "explorer_driver.h"
#include "monitor_driver.h"
#include "sandbox.h"

namespace {

inline constexpr int kSignatureField = 1098;
inline constexpr int kMessageField = 1036;
inline constexpr int kSignatureColumn = 5;  // after the Startup page's five columns
inline constexpr char kSignedLine[] = "Signed by Korvane Test Signer";
inline constexpr char kInvalidLine[] =
    "Signature not valid: changed after signing, or not trusted";
inline constexpr char kUnsignedLine[] = "Not signed";
inline constexpr char kUnsignedWarning[] = "Warning: this program is not signed.";
inline constexpr char kInvalidWarning[] = "Warning: this program's signature is not valid.";

struct StandIn {
  const char* title;
  const char* file;
  const char* line;
  const char* warning;  // what the alert's message begins with; null: no warning
};
constexpr StandIn kStandIns[] = {
    {"KvSigSigned", "kv_signed_sample.exe", kSignedLine, nullptr},
    {"KvSigTampered", "kv_tampered_sample.exe", kInvalidLine, kInvalidWarning},
    {"KvSigUnsigned", "kv_signature_sample.exe", kUnsignedLine, kUnsignedWarning},
};

std::string StandInPath(const StandIn& standIn) { return BinFolder() + "\\" + standIn.file; }

class SignatureE2eTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    for (const StandIn& standIn : kStandIns)
      if (!PathExists(StandInPath(standIn)))
        GTEST_SKIP() << standIn.file << " was not made (openssl or osslsigncode missing)";
    Forget();
    WriteOption("Start", "1");  // the startup check on every first-half cycle
  }
  void TearDown() override {
    ExplorerTest::TearDown();
    Forget();
  }
  static void Forget() {
    for (const StandIn& standIn : kStandIns) {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, standIn.title);
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kKnownStartupKey, StandInPath(standIn).c_str());
    }
  }
};

}  // namespace

TEST_F(SignatureE2eTest, EachAlertShowsItsProgramsSignatureAndWarnsFirstWhenItFails) {
  ProgramRun& monitor = Launch("");
  const HWND window = WatchMonitor(monitor);
  for (const StandIn& standIn : kStandIns) {
    SCOPED_TRACE(standIn.title);
    WriteSetting(kRunKey, standIn.title, StandInPath(standIn).c_str());
    const HWND alert = AlertNamed(monitor, window, "Signature Sample");
    ASSERT_NE(nullptr, alert);
    EXPECT_EQ(standIn.line, DialogItemText(alert, kSignatureField));
    const std::string message = DialogItemText(alert, kMessageField);
    if (standIn.warning) {
      EXPECT_EQ(0u, message.rfind(standIn.warning, 0)) << message;
    } else {
      EXPECT_FALSE(Contains(message, "Warning")) << message;
    }
    EXPECT_TRUE(Contains(message, "has detected a new program")) << message;
    PressBoxButton(alert, IDYES);
    EXPECT_TRUE(WaitUntil([&] {
      return ReadRegString(HKEY_CURRENT_USER, kKnownStartupKey, StandInPath(standIn).c_str()) ==
             "11";
    }));
  }
}

TEST_F(SignatureE2eTest, StartupPageShowsEachProgramsSignatureInItsOwnColumn) {
  for (const StandIn& standIn : kStandIns)
    WriteSetting(kRunKey, standIn.title, StandInPath(standIn).c_str());
  const HWND sheet = OpenExplorer("-START");
  ASSERT_NE(nullptr, sheet);
  const HWND list = StartupList(sheet);
  ASSERT_TRUE(WaitRowsTitled(list, kStandIns[2].title, 1));
  RemoteList rows(list);
  ASSERT_TRUE(rows);
  for (const StandIn& standIn : kStandIns) {
    const std::vector<int> found = rows.RowsTitled(standIn.title);
    ASSERT_EQ(1u, found.size()) << standIn.title;
    EXPECT_EQ(standIn.line, rows.Cell(found[0], kSignatureColumn)) << standIn.title;
  }
}
