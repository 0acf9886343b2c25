#include "startup/snapshot.h"

void RebuildKnownEntries() {}
void ResetKnownEntries() {}
