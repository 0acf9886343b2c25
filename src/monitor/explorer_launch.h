// Starting the explorer KorvaneEx from the program folder.
#pragma once

// Opens the explorer with a page switch; tells the user when it cannot be started.
void StartExplorer(const char* pageSwitch);
// Runs "KorvaneEx.exe -RESTART"; a failure is not reported.
void StartExplorerRestart();
