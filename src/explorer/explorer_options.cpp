#include "explorer_options.h"

OptionsRecord g_explorerOptions = {};
