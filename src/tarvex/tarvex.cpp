#include "tarvex.h"

#include "process_watch.h"

extern "C" int WINAPI TarvexStart(HWND window) {
  return ProcessWatchStart(window, kTarvexNewProcessMessage) ? 1 : 0;
}

extern "C" int WINAPI TarvexStop() {
  ProcessWatchStop();
  return 1;
}
