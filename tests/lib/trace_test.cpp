#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/trace.h"
#include "sandbox.h"

namespace {

struct TraceLine {
  unsigned tick;
  int counter;
  std::string value;
};

class TraceTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    file_ = ScratchFolder() + "\\send2ts.txt";
    TraceSetFile(file_.c_str());
    g_traceUserWait = false;
  }
  void TearDown() override {
    TraceSetCounter(9999);
    TraceSetFile("");
    g_traceUserWait = false;
    RegistrySandbox::TearDown();
  }

  std::vector<TraceLine> Lines() const {
    std::vector<char> keys(1 << 20);
    const DWORD size = GetPrivateProfileStringA("Trace", nullptr, "", keys.data(),
                                                static_cast<DWORD>(keys.size()), file_.c_str());
    std::vector<TraceLine> lines;
    for (const char* key = keys.data(); key < keys.data() + size && *key;
         key += std::strlen(key) + 1) {
      TraceLine line = {};
      char rest = 0, value[1024] = {};
      EXPECT_EQ(2, std::sscanf(key, "%u.%d%c", &line.tick, &line.counter, &rest)) << key;
      GetPrivateProfileStringA("Trace", key, "", value, sizeof value, file_.c_str());
      line.value = value;
      lines.push_back(line);
    }
    return lines;
  }

  // The span of a timing line for the given step, or -1 when the line is not one.
  static int SpanValue(const std::string& value, const std::string& step) {
    if (value.rfind("**:**:** NanoCycles: " + step + " = ", 0) != 0) return -1;
    return std::atoi(value.c_str() + value.rfind(" = ") + 3);
  }

  std::string file_;
};

// Every test leaves the counter at its start value, so this also sees the process default.
TEST_F(TraceTest, OffByDefaultTouchesNoFile) {
  EXPECT_EQ(0, TraceWrite("VERIFY", "Startup Programs"));
  g_traceUserWait = true;
  EXPECT_EQ(0, TraceSpanEnd());
  EXPECT_TRUE(g_traceUserWait);
  TraceSetCounter(9001);
  EXPECT_EQ(0, TraceWrite("VERIFY", "Startup Programs"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file_.c_str()));
}

TEST_F(TraceTest, StepLinesTimingLinesAndDistinctKeys) {
  TraceSetCounter(0);
  EXPECT_EQ(1, TraceWrite("VERIFY", "Startup Programs"));
  Sleep(120);
  EXPECT_EQ(1, TraceSpanEnd());
  TraceWrite("VERIFY", "IE Helpers");
  Sleep(120);
  g_traceUserWait = true;
  TraceSpanEnd();
  EXPECT_FALSE(g_traceUserWait);
  // Lines within one millisecond keep distinct keys.
  for (int i = 0; i < 40; ++i) TraceWrite("RID", "Possible System Conflict");

  const std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(44u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].value.find(" VERIFY: Startup Programs"));
  EXPECT_GE(SpanValue(lines[1].value, "Startup Programs"), 40) << lines[1].value;
  EXPECT_LE(SpanValue(lines[1].value, "Startup Programs"), 1000) << lines[1].value;
  EXPECT_EQ(1, SpanValue(lines[3].value, "IE Helpers")) << lines[3].value;
  for (int i = 0; i < 44; ++i) EXPECT_EQ(i + 1, lines[i].counter);
}

TEST_F(TraceTest, NothingIsWrittenOnceTheCounterPasses9000) {
  TraceSetCounter(8998);
  EXPECT_EQ(1, TraceWrite("CATCH", "MonitorTimer > 1000"));
  EXPECT_EQ(1, TraceSpanEnd());
  EXPECT_EQ(1, TraceWrite("CATCH", "MonitorTimer > 1000"));
  EXPECT_EQ(0, TraceSpanEnd());
  EXPECT_EQ(0, TraceWrite("CATCH", "MonitorTimer > 1000"));
  const std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(9001, lines[2].counter);
}

}  // namespace
