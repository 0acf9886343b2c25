#include <windows.h>

#include "explorer_jobs.h"
#include "resource.h"

namespace {

inline constexpr int kNameSize = 32;

bool ExplorerLoadNames(HINSTANCE instance) {
  char className[kNameSize], caption[kNameSize];
  return LoadStringA(instance, IDS_EXPLORER_CLASS_NAME, className, kNameSize) != 0 &&
         LoadStringA(instance, IDS_EXPLORER_LOADING, caption, kNameSize) != 0;
}

}  // namespace

// The jobs run before the single-instance test, so a running explorer never swallows them.
// Every other start ends here until the explorer's window exists.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (!ExplorerLoadNames(instance)) return 0;
  ExplorerRunJob(ExplorerJobFor(commandLine));
  return 0;
}
