#include "alerts.h"
#include "foundation/scheme_sound.h"
#include "monitor.h"

void AlertSound(int index) { SchemeSoundPlay(index, g_options.value[kOptSound], true); }
