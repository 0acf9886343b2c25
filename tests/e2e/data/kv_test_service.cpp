// A service that runs until it is told to stop, for the monitor's service alert to find.
// A window program, so that no console host starts beside it.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE g_statusHandle = nullptr;
HANDLE g_stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
SERVICE_STATUS g_status = {SERVICE_WIN32_OWN_PROCESS, SERVICE_START_PENDING, 0, 0, 0, 0, 0};

void Report(DWORD state) {
  g_status.dwCurrentState = state;
  g_status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  SetServiceStatus(g_statusHandle, &g_status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
  const bool stop = control == SERVICE_CONTROL_STOP;
  Report(stop ? SERVICE_STOP_PENDING : g_status.dwCurrentState);
  if (stop) SetEvent(g_stopEvent);
  return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, char**) {
  g_statusHandle = RegisterServiceCtrlHandlerExA("", Control, nullptr);
  if (g_statusHandle == nullptr) return;
  Report(SERVICE_RUNNING);
  WaitForSingleObject(g_stopEvent, 120000);
  Report(SERVICE_STOPPED);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char name[] = "";
  SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
