#include "categories/file_types_machine.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "categories/file_types.h"
#include "categories/file_types_store.h"
#include "categories/machine_job.h"
#include "filetype_text.h"
#include "foundation/handles.h"
#include "foundation/settings.h"
#include "text.h"

namespace {

// A name with a backslash would reach keys beyond the file type's own.
bool FileTypeNameSound(const std::string& name) {
  return name.size() > 1 && name.find('\\') == std::string::npos;
}

}  // namespace

bool FileTypeRestoreMachineFrom(HKEY store, const char* ext, int source) {
  if (store == nullptr || ext == nullptr || (source != 1 && source != 4)) return false;
  const std::string dotted = FileTypeDotted(ext);
  char progId[kFileTypeTextSize] = "";
  if (!FileTypeNameSound(dotted) ||
      SettingsReadString(store, FileTypeSourceKey(source), dotted.c_str(), progId,
                         sizeof progId) == 0 ||
      !FileTypeNameSound(std::string(".") + progId))
    return false;
  if (!SettingsWriteString(HKEY_LOCAL_MACHINE, (kMachineClasses + dotted).c_str(), nullptr,
                           progId))
    return false;
  if (source == 4) return true;
  char command[kFileTypeTextSize] = "";
  if (SettingsReadString(store, kFileTypeClassKey, progId, command, sizeof command) == 0)
    return true;
  const std::string commandKey = kMachineClasses + std::string(progId) + kOpenCommand;
  return SettingsWriteString(HKEY_LOCAL_MACHINE, commandKey.c_str(), nullptr, command) != 0;
}

bool FileTypeRestoreMachine(const char* ext, int source) {
  if (MachineJobDirectAllowed() && FileTypeRestoreMachineFrom(HKEY_CURRENT_USER, ext, source))
    return true;
  return MachineJobHandOver(MachineJobFileTypeRestore(ext, source)) != 0;
}
