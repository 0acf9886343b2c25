// A program for the process tests to find and stop; it ends by itself after 30 seconds.
#include <windows.h>

int main() {
  Sleep(30000);
  return 0;
}
