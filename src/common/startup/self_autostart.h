// The monitor's own entry in the machine Run key.
#pragma once

// 1 while the monitor is registered in the machine Run key.
extern int g_selfAutostart;

bool IsSelfAutostart();
int SetSelfAutostart(bool on);
