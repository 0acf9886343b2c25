#include "undo_probes.h"

#include <windows.h>

#include <fstream>

#include "categories/activex.h"
#include "categories/system_files.h"

bool UndoProbeKillBit(const char* clsid) { return KillActiveX(clsid); }

std::string UndoProbeKillKey(const char* clsid) {
  return std::string(kActiveXCompatibilityKey) + "\\" + clsid;
}

bool UndoProbeRejectFile(const char* name, const std::string& path, const std::string& accepted,
                         const std::string& rejected) {
  if (!(std::ofstream(path, std::ios::binary) << accepted)) return false;
  if (RegisterSystemFile(name, path.c_str(), "Probe.", 1) != 1) return false;
  if (!(std::ofstream(path, std::ios::binary | std::ios::trunc) << rejected)) return false;
  return RejectSystemFileChange(name, path.c_str(), false);
}
