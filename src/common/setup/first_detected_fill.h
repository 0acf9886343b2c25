// The first-detected records filled on the first run: every item the enumerations list now
// is taken as seen today, so that only what turns up later gets a date of its own.
#pragma once

// Fills the categories, and ActiveX, whose records were never filled.
void InitFirstDetected();
