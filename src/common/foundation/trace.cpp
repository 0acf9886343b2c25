#include "trace.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "paths.h"
#include "text.h"
#include "trace_text.h"

bool g_traceUserWait = false;

namespace {

constexpr int kTraceOff = 9999;
constexpr int kLastLine = 9000;
constexpr char kSection[] = "Trace";

int g_traceCounter = kTraceOff;
char g_traceFile[kPathSize] = "";
std::uint32_t g_spanStart = 0;
char g_spanLabel[256] = "";

int WriteLine(std::uint32_t tick, const std::string& value) {
  ++g_traceCounter;
  if (!g_traceFile[0]) return 0;
  WritePrivateProfileStringA(kSection, TraceKey(tick, g_traceCounter).c_str(), value.c_str(),
                             g_traceFile);
  return 1;
}

}  // namespace

void TraceSetFile(const char* path) {
  CopyBounded(g_traceFile, sizeof g_traceFile, path ? path : "");
}

void TraceSetCounter(int counter) { g_traceCounter = counter; }

int TraceWrite(const char* label, const char* message) {
  if (g_traceCounter > kLastLine) return 0;
  g_spanStart = GetTickCount();
  const char* text = message ? message : "";
  CopyBounded(g_spanLabel, sizeof g_spanLabel, text);
  SYSTEMTIME now;
  GetLocalTime(&now);
  return WriteLine(g_spanStart, TraceLineText(now.wMonth, now.wDay, now.wHour, now.wMinute,
                                              now.wSecond, label ? label : "", text));
}

int TraceSpanEnd() {
  if (g_traceCounter > kLastLine) return 0;
  std::uint32_t now = GetTickCount();
  std::uint32_t span = TraceSpanValue(now - g_spanStart, g_traceUserWait);
  g_traceUserWait = false;
  return WriteLine(now, TraceSpanText(g_spanLabel, span));
}

int TraceNote(const char*, const char*) { return 1; }
