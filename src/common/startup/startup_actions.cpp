#include "startup/startup_actions.h"

int RemoveStartupEntry(const char*, const char*, const char*, int) { return 0; }
