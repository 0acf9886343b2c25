// First-run and version initialisation of the settings tree, in the order the monitor calls them.
#pragma once

// Creates the tree on the very first run; returns 1 when this was the first run.
int SettingsFirstRun();
// Fills the monitored system-file list when it has never been filled.
void SettingsSystemFilesOnce();
// Copies the machine's automatic-update mode as the approved one, taken on first sight.
// Resets the known-entry stores after a version change or a cleanup request.
void SettingsVersionAndCleanup();
