// Removes the traces the portable monitor leaves in the Windows Prefetch folder.
#pragma once

// Deletes every file of <Windows folder>\Prefetch whose name holds "Korvaneusb.exe";
// returns how many went.
int PrefetchCleanup();
