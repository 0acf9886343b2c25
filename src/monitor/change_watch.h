// One worker thread that waits on change notifications of the watched places and tells the
// monitor's window which category changed, once the burst of changes has settled.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "change_places.h"

// Posted to the window: first parameter the changed category's interval option.
inline constexpr UINT kChangeMessage = WM_APP + 1;
// Posted when a place could be watched neither itself nor through a key or folder above it,
// so that its category is left to the timer: first parameter the place's index, second the
// watch's generation. kChangeAllPlaces stands for every place (the watcher itself stopped).
inline constexpr UINT kChangeLostMessage = WM_APP + 2;
inline constexpr WPARAM kChangeAllPlaces = ~WPARAM{0};

// False when a watch runs already or the thread could not be started.
bool ChangeWatchStart(HWND window, std::vector<ChangePlace> places);
// Stops the thread and waits for it; its handles are closed.
void ChangeWatchStop();
bool ChangeWatchRunning();
// The place a lost message names, empty when it belongs to an earlier watch.
std::string ChangeWatchLostText(WPARAM index, LPARAM generation);
