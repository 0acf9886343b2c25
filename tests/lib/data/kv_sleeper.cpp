// A program for the process tests to find and stop; it ends by itself after 30 seconds.
// A window program, so that no console host process starts beside it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Sleep(30000);
  return 0;
}
