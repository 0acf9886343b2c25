// The known-startup snapshot read whole for a check. It is kept between checks while the
// key's last-write time says nothing was written since, so a check of an unchanged snapshot
// costs one query of the key instead of a read of every value.
#pragma once
#include "startup/value_table.h"

// The snapshot as it is now; empty when the key cannot be opened. Valid until the next call.
const ValueTable& SnapshotTable();
