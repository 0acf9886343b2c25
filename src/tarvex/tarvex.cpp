#include <windows.h>
extern "C" __declspec(dllexport) int WINAPI TarvexStart(HWND) { return 1; }
extern "C" __declspec(dllexport) int WINAPI TarvexStop() { return 1; }
