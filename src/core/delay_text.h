// Delayed-start number and text rules: the edit dialog's delay lists, the window state and
// the command a delayed record is put back as. Platform-free.
#pragma once
#include <string>
#include <string_view>

inline constexpr int kDelayNewSeconds = 30;
inline constexpr int kDelayMinutesMax = 60;
inline constexpr int kDelayTenSecondEntries = 6;
inline constexpr int kDelayStateMax = 2;

struct DelayEntries {
  int minutes;
  int tenSeconds;
};

// The list entries that show a stored delay; out-of-range delays land on the nearest entry.
DelayEntries DelayToEntries(int seconds);
// The delay the two chosen entries mean; entries outside the lists are brought into them.
int DelayFromEntries(int minutes, int tenSeconds);
// The stored delay in seconds; text without leading digits is 0.
int DelaySeconds(std::string_view stored);
// The window state index: 0 when missing, not a number, negative or above 2.
int DelayState(std::string_view stored);
// The command a record goes back to the startup list as: program, a blank (left out when the
// parameters begin with ',' or a blank) and the parameters; with an applet, applet + blank first.
std::string DelayRestoreCommand(std::string_view program, std::string_view parameters,
                                std::string_view applet);
// Codes below 10 keep their record in the per-machine root.
bool DelayPerMachine(int code);
