// The file-change dialog (189) of a monitored system file.
#pragma once

// True when the change was accepted or rejected and the files were put in order.
bool SystemFileDialogRun(const char* name, const char* path);
