#include <cstdio>
#include <cstdlib>
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

  bool FileWritten() const { return GetFileAttributesA(file_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::vector<TraceLine> Lines() const {
    std::vector<char> keys(1 << 20);
    DWORD size = GetPrivateProfileStringA("Trace", nullptr, "", keys.data(),
                                          static_cast<DWORD>(keys.size()), file_.c_str());
    std::vector<TraceLine> lines;
    for (const char* key = keys.data(); key < keys.data() + size && *key;
         key += std::string(key).size() + 1) {
      TraceLine line = {};
      char rest = 0;
      EXPECT_EQ(2, std::sscanf(key, "%u.%d%c", &line.tick, &line.counter, &rest)) << key;
      char value[1024] = {};
      GetPrivateProfileStringA("Trace", key, "", value, sizeof value, file_.c_str());
      line.value = value;
      lines.push_back(line);
    }
    return lines;
  }

  // The span value of a timing line, or -1 when the line is not one.
  static int SpanValue(const std::string& value) {
    std::size_t at = value.rfind(" = ");
    if (value.rfind("**:**:** NanoCycles: ", 0) != 0 || at == std::string::npos) return -1;
    return std::atoi(value.c_str() + at + 3);
  }

  std::string file_;
};

// Every test leaves the counter at its start value, so this also sees the process default.
TEST_F(TraceTest, OffByDefaultTouchesNoFile) {
  EXPECT_EQ(0, TraceWrite("VERIFY", "Startup Programs"));
  g_traceUserWait = true;
  EXPECT_EQ(0, TraceSpanEnd());
  EXPECT_TRUE(g_traceUserWait);
  EXPECT_EQ(1, TraceNote("VERIFY", "noted"));
  TraceSetCounter(9001);
  EXPECT_EQ(0, TraceWrite("VERIFY", "Startup Programs"));
  EXPECT_FALSE(FileWritten());
}

TEST_F(TraceTest, OnWritesAStepLineAndItsTimingLine) {
  TraceSetCounter(0);
  DWORD before = GetTickCount();
  EXPECT_EQ(1, TraceWrite("VERIFY", "Startup Programs"));
  EXPECT_EQ(1, TraceSpanEnd());
  DWORD after = GetTickCount();

  std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ(1, lines[0].counter);
  EXPECT_EQ(2, lines[1].counter);
  EXPECT_GE(lines[0].tick, before);
  EXPECT_LE(lines[1].tick, after);
  const std::string& step = lines[0].value;
  ASSERT_EQ(40u, step.size()) << step;
  EXPECT_EQ('-', step[2]);
  EXPECT_EQ("  ", step.substr(5, 2));
  EXPECT_EQ(':', step[9]);
  EXPECT_EQ(':', step[12]);
  EXPECT_EQ(" VERIFY: Startup Programs", step.substr(15));
  EXPECT_EQ(0, lines[1].value.rfind("**:**:** NanoCycles: Startup Programs = ", 0))
      << lines[1].value;
  EXPECT_GE(SpanValue(lines[1].value), 0);
}

TEST_F(TraceTest, SpanAfterAUserWaitReadsOne) {
  TraceSetCounter(0);
  TraceWrite("VERIFY", "IE Helpers");
  Sleep(120);
  g_traceUserWait = true;
  TraceSpanEnd();
  EXPECT_FALSE(g_traceUserWait);
  TraceWrite("VERIFY", "Hidden Files");
  Sleep(120);
  TraceSpanEnd();

  std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ(1, SpanValue(lines[1].value)) << lines[1].value;
  EXPECT_NE(std::string::npos, lines[3].value.find("Hidden Files"));
  EXPECT_GE(SpanValue(lines[3].value), 40) << lines[3].value;
  EXPECT_LE(SpanValue(lines[3].value), 1000) << lines[3].value;
}

TEST_F(TraceTest, SpanLabelIsCutTo255Characters) {
  TraceSetCounter(0);
  const std::string message(300, 'm');
  TraceWrite("VERIFY", message.c_str());
  TraceSpanEnd();
  std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(2u, lines.size());
  EXPECT_NE(std::string::npos, lines[0].value.find("VERIFY: " + message));
  EXPECT_EQ(0, lines[1].value.rfind("**:**:** NanoCycles: " + std::string(255, 'm') + " = ", 0))
      << lines[1].value;
}

TEST_F(TraceTest, LinesInTheSameMillisecondKeepDistinctKeys) {
  TraceSetCounter(0);
  for (int i = 0; i < 40; ++i) TraceWrite("RID", "Possible System Conflict");
  std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(40u, lines.size());
  for (int i = 0; i < 40; ++i) EXPECT_EQ(i + 1, lines[i].counter);
}

TEST_F(TraceTest, NothingIsWrittenOnceTheCounterPasses9000) {
  TraceSetCounter(8998);
  EXPECT_EQ(1, TraceWrite("CATCH", "MonitorTimer > 1000"));
  EXPECT_EQ(1, TraceSpanEnd());
  EXPECT_EQ(1, TraceWrite("CATCH", "MonitorTimer > 1000"));
  EXPECT_EQ(0, TraceSpanEnd());
  EXPECT_EQ(0, TraceWrite("CATCH", "MonitorTimer > 1000"));
  std::vector<TraceLine> lines = Lines();
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(9001, lines[2].counter);
}

}  // namespace
