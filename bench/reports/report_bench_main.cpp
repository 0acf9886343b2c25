// Times the whole HTML system report on the bench machine against the floor of its nine
// enumerations alone, and prints "report-html items=<n> ms=<x> floor_ms=<y> ratio=<x/y>".
// "--quick" runs a small machine once, to keep the program working; "--parts" also prints
// where the report's time goes; "--idle" only waits, as one of the running programs the
// Active Tasks section lists.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "explorer/category_pages_machine.h"
#include "foundation/strings.h"
#include "report_bench_machine.h"
#include "reports/report_facts.h"
#include "reports/report_file.h"
#include "reports/report_header.h"
#include "reports/report_sections.h"
#include "reports/report_system.h"
#include "startup/item_list.h"
#include "startup/locations.h"

namespace {

constexpr ReportBenchSizes kFullSizes = {4096, 50, 20, 200, 100, 50, 100, 300, 16, 100};
constexpr ReportBenchSizes kQuickSizes = {200, 4, 5, 12, 8, 12, 8, 30, 2, 5};
constexpr int kFullRepetitions = 7;
constexpr int kQuickRepetitions = 1;
constexpr DWORD kIdleMs = 10 * 60 * 1000;  // an idle copy left behind ends by itself

void ReportBenchFloor() {
  for (const ReportSection& section : kReportSections) section.fill();
  ItemListClear();
}

int ReportBenchItems() {
  int items = 0;
  for (const ReportSection& section : kReportSections)
    items += static_cast<int>(ReportSectionRows(section).size());
  return items;
}

std::size_t ReportBenchCount(const std::string& text, const char* part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

// The page holds one entry per item, give or take a program that started or ended meanwhile.
bool ReportBenchListed(const std::string& path, int items) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                          nullptr));
  LARGE_INTEGER size = {};
  if (!file.valid() || !GetFileSizeEx(file.get(), &size)) return false;
  std::string page(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!ReadFile(file.get(), page.data(), static_cast<DWORD>(page.size()), &read, nullptr)) return false;
  page.resize(read);
  const long listed = static_cast<long>(ReportBenchCount(page, "<li><b>"));
  if (listed >= items - 2 && listed <= items + 2) return true;
  std::fprintf(stderr, "report-html: %ld items in the page, %d enumerated\n", listed, items);
  return false;
}

// The report's steps one by one, after a first report has warmed the program files' caches:
// the rows of the nine sections, the facts of every row, the header block.
void ReportBenchParts(const std::string& path) {
  double start = BenchNowMs();
  std::vector<std::vector<ItemRow>> sections;
  for (const ReportSection& section : kReportSections) sections.push_back(ReportSectionRows(section));
  const double rowsMs = BenchNowMs() - start;
  start = BenchNowMs();
  ReportFacts facts;
  ReportFactsBegin(facts);
  std::size_t shown = 0;
  for (const std::vector<ItemRow>& rows : sections)
    for (const ItemRow& row : rows) {
      const ReportProgram& program = ReportFactsProgram(facts, row.command);
      shown += ReportFactsDetected(facts, program, row.code).size() +
               ReportFactsLocation(facts, row).size() +
               ReportFactsInfoAddress(facts, program, row.title, row.code).size();
    }
  const double factsMs = BenchNowMs() - start;
  start = BenchNowMs();
  {
    ReportFile file(path + ".header");
    WriteReportHeader(file, true);
    file.Commit();
  }
  const double headerMs = BenchNowMs() - start;
  DeleteFileA((path + ".header").c_str());
  std::fprintf(stderr, "report-html parts: rows_ms=%.2f facts_ms=%.2f header_ms=%.2f (%zu bytes)\n",
               rowsMs, factsMs, headerMs, shown);
}

bool ReportBenchMeasure(const std::string& path, bool quick) {
  const int items = ReportBenchItems();
  bool written = WriteSystemReportFile(path, true);  // warms the caches of both runs
  ReportBenchFloor();
  double oursMs = 0, floorMs = 0;
  BenchAlternate(
      quick ? kQuickRepetitions : kFullRepetitions,
      [&] { written = WriteSystemReportFile(path, true) && written; }, ReportBenchFloor, oursMs,
      floorMs);
  const bool sound = written && ReportBenchListed(path, items) &&
                     items >= (quick ? kQuickSizes : kFullSizes).runValues;
  std::printf("report-html items=%d ms=%.2f floor_ms=%.2f ratio=%.2f\n", items, oursMs, floorMs,
              floorMs > 0 ? oursMs / floorMs : 0.0);
  std::fflush(stdout);
  if (!sound) std::fprintf(stderr, "report-html: not sound (written %d)\n", written ? 1 : 0);
  return sound;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kBenchIdleSwitch) == 0) {
    Sleep(kIdleMs);
    return 0;
  }
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const bool parts = argc > 1 && std::strcmp(argv[1], "--parts") == 0;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ChooseLanguage();
  g_wow64RunKey = ProbeWow64RunKey();
  ReportBenchMachine machine;
  bool sound = ReportBenchBuild(quick ? kQuickSizes : kFullSizes, machine);
  const std::string path = machine.sandbox.folder + "\\KorvaneLog.html";
  if (sound) sound = ReportBenchMeasure(path, quick);
  if (sound && parts) ReportBenchParts(path);
  ItemListClear();
  ReportBenchRemove(machine);
  CoUninitialize();
  return sound ? 0 : 1;
}
