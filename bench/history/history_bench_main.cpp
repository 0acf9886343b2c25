// Times the history dialog opening over a history.txt of N lines (about 100 bytes each, as
// the programs write them): from the call until the dialog, read, filled and shown, has
// closed again at its activation. Prints "history-open lines=<N> ms=<x>" for 10,000 and 100,000
// lines; "--quick" runs 1,000 only. The history file is the bench's own, beside it.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "foundation/strings.h"
#include "history_dialog.h"
#include "records/history.h"

namespace {

constexpr int kPrograms = 50;
constexpr int kRepetitions = 5;
constexpr double kTargetMs = 1500.0;
constexpr char kActions[][24] = {"*START_Remove", "TASK_Kill", "START_Alert", "SERVICE_Stop",
                                 "*HIDDEN_DeleteFile", "IEHELPER_Remove"};
constexpr char kTypes[][24] = {"CURRENT_RUN", "INFO_TASK", "MACHINE_RUN", "SERVICE_EXE",
                               "TYPE_HIDDEN", "TYPE_BHO"};

std::string HistoryBenchProgram(int index) {
  if (index == 0) return "C:\\windows\\notepad.exe";
  if (index == 1) return "C:\\windows\\regedit.exe";
  char program[96];
  std::snprintf(program, sizeof program, "C:\\Program Files\\Bench Vendor %02d\\tool%02d.exe", index,
                index);
  return program;
}

bool HistoryBenchWrite(int lines) {
  char path[MAX_PATH] = "";
  if (HistoryFilePath(path, sizeof path) == 0) return false;
  std::string text;
  text.reserve(static_cast<std::size_t>(lines) * 110);
  for (int i = 0; i < lines; ++i) {
    const int kind = i % 6;
    char line[512];
    std::snprintf(line, sizeof line, "%02d/%02d/2026  %d:%02d PM\t%s\t%s\tBench entry %d\t%s /run %d\t\r\n",
                  1 + i % 12, 1 + i % 28, 1 + i % 12, i % 60, kActions[kind], kTypes[kind], i,
                  HistoryBenchProgram(i % kPrograms).c_str(), i);
    text += line;
  }
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

HHOOK g_hook = nullptr;

// Activation comes once the dialog is filled and shown; closing it then ends the run.
LRESULT CALLBACK HistoryBenchActivated(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

double HistoryBenchOpen() {
  g_hook = SetWindowsHookExA(WH_CBT, HistoryBenchActivated, nullptr, GetCurrentThreadId());
  if (g_hook == nullptr) return -1;
  const double start = BenchNowMs();
  HistoryDialog(nullptr);
  const double ms = BenchNowMs() - start;
  UnhookWindowsHookEx(g_hook);
  return ms;
}

bool HistoryBenchRun(int lines) {
  if (!HistoryBenchWrite(lines)) {
    std::fprintf(stderr, "history-open: history.txt not written\n");
    return false;
  }
  std::vector<double> samples;
  for (int i = 0; i < kRepetitions; ++i) {
    const double ms = HistoryBenchOpen();
    if (ms < 0) {
      std::fprintf(stderr, "history-open: the dialog did not open\n");
      return false;
    }
    samples.push_back(ms);
  }
  const double ms = BenchMedian(samples);
  std::printf("history-open lines=%d ms=%.1f\n", lines, ms);
  std::fflush(stdout);
  return lines < 100000 || ms < kTargetMs;
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ChooseLanguage();
  bool sound = true;
  if (quick)
    sound = HistoryBenchRun(1000);
  else
    for (int lines : {10000, 100000}) sound = HistoryBenchRun(lines) && sound;
  char path[MAX_PATH] = "";
  if (HistoryFilePath(path, sizeof path)) DeleteFileA(path);
  CoUninitialize();
  return sound ? 0 : 1;
}
