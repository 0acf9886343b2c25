// The options page's changes: each goes into the explorer's loaded options at once, and then
// every option is written back. Options that other pages or the monitor stored meanwhile are
// taken over first, so writing everything back never undoes them.
#pragma once
#include "foundation/options.h"

// Sets the value in the loaded options and marks it as changed by the user here.
void OptionsStoreChange(OptionId id, int value);
// The value in the loaded options.
int OptionsStoreValue(OptionId id);
// Takes over into the loaded options what was stored since, except the user's changes here.
void OptionsStoreRefresh();
// Writes every option the explorer writes (Update ends up "1"); false when one write failed.
bool OptionsStoreWriteAll();
