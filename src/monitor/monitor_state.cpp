#include "monitor.h"

MonitorGlobals g_monitor = {};
OptionsRecord g_options = {};
