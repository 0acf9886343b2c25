// The options as the explorer loaded them; pages read and change them, the frame writes them
// back when the explorer ends.
#pragma once
#include "foundation/options.h"

extern OptionsRecord g_explorerOptions;
