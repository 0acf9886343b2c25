// Delayed start: startup programs the monitor starts itself some seconds after logon.
#pragma once
#include <windows.h>

#include "foundation/settings.h"

inline constexpr int kDelayRootCount = 2;  // 0 per-machine, 1 per-user

enum DelayOutcome {
  kDelaySkipped = 0,
  kDelayDone = 1,
  kDelayRefused = -1,       // show string 1130
  kDelayRefusedStop = -2,   // show string 1130 and handle no further rows
};

HKEY DelayRoot(int rootIndex);
// A per-machine entry is delayed only when the confirmDelayAllUsers hook agrees. A
// startup-folder file that is no shortcut is refused: the delay would delete it for good.
int DelayStartupEntry(const char* title, const char* command, const char* key, int code,
                      int rundll);
// Fills the item list (title, program, key, FileDescription, code, root index) and
// starts the launched count afresh; returns the count.
int LoadDelayedList();
int RunDelayedSlot(int seconds);
int RunDelayedProgram(const char* program, const char* parameters);
void ForgetDelayed(HKEY root, const char* program);
// putBack is the answer to string 1134: true writes the startup entry again. Either way the
// record is forgotten, except that a record that could not be put back is kept.
int RestoreDelayed(const char* title, const char* program, const char* key, int code,
                   bool putBack);
int RestoreAllDelayed();
int AddDelayedProgram(const char* path, bool allUsers);

// The edit dialog's fields of one record; texts of at most 256 characters.
inline constexpr int kDelayEditTextSize = 257;
struct DelayedEdit {
  int minutes;
  int tenSeconds;
  int state;
  char parameters[kDelayEditTextSize];
  char title[kDelayEditTextSize];
};
// Reads the record's fields (its root found by the code, per-user Delay first); 0 when the
// program has no record.
int DelayedEditLoad(const char* program, DelayedEdit* out);
int DelayedEditSave(const char* program, const DelayedEdit& edit);
