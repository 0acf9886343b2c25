#include "file_types_machine.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <vector>

#include "bench_registry.h"
#include "categories/file_types_store.h"
#include "filetype_text.h"
#include "resource.h"

namespace {

constexpr int kVendors = 12;
// Every so many extensions the user chose a program of their own.
constexpr int kPerUserEvery = 3;
constexpr char kPlayerCommand[] = "\"C:\\Program Files\\Bench Player\\player.exe\" /open \"%1\"";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// ext without its dot, as the watched list spells it.
bool WriteMachineClass(const std::string& ext, int index) {
  const std::string progId = Lower(ext) + "file";
  const std::string classKey = kBenchMachineClasses + progId;
  char program[96];
  std::snprintf(program, sizeof program, "C:\\Program Files\\Bench Vendor %02d\\viewer.exe",
                index % kVendors);
  char command[128];
  std::snprintf(command, sizeof command, "\"%s\" \"%%1\"", program);
  return BenchWriteText(HKEY_LOCAL_MACHINE, kBenchMachineClasses + ("." + ext), nullptr,
                        progId) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, classKey, nullptr, "Bench " + ext + " File") &&
         BenchWriteNumber(HKEY_LOCAL_MACHINE, classKey, "EditFlags", 0) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, classKey + "\\DefaultIcon", nullptr,
                        std::string(program) + ",1") &&
         BenchWriteText(HKEY_LOCAL_MACHINE, classKey + "\\shell\\open\\command", nullptr,
                        command);
}

bool WriteUserProgId(const std::string& ext) {
  const std::string progId = "BenchPlayer." + Lower(ext);
  return BenchWriteText(HKEY_CURRENT_USER, kBenchFileExtsKey + ("." + ext), "ProgID", progId) &&
         BenchWriteText(HKEY_CLASSES_ROOT, progId + "\\shell\\open\\command", nullptr,
                        kPlayerCommand) &&
         BenchWriteText(HKEY_LOCAL_MACHINE, kBenchMachineClasses + progId, nullptr,
                        "Bench Player " + ext + " file");
}

}  // namespace

bool FileTypesMachineBuild(FileTypesMachine& machine) {
  machine = FileTypesMachine{};
  char list[1024] = "";
  if (LoadStringA(GetModuleHandleA(nullptr), IDS_WATCHED_FILE_TYPES, list, sizeof list) <= 0 ||
      !BenchWriteText(HKEY_CURRENT_USER, kFileTypeClassKey, nullptr, list))
    return false;
  const std::vector<std::string> extensions = FileTypeListExtensions(list);
  for (std::size_t i = 0; i < extensions.size(); ++i) {
    const int index = static_cast<int>(i);
    const std::string ext = extensions[i].substr(1);
    if (!WriteMachineClass(ext, index)) return false;
    ++machine.extensions;
    ++machine.associations;
    if (index % kPerUserEvery != 0) continue;
    if (!WriteUserProgId(ext)) return false;
    ++machine.associations;
  }
  return true;
}
