#include <windows.h>
extern "C" int WINAPI TarvexStart(HWND);
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { TarvexStart(nullptr); return 0; }
