// Taking back an IE add-on's removal: its entry (a helper's or extension's key, a toolbar's
// value) and its class registration are kept before the removal unregisters them.
#pragma once

// code is the add-on's kind (900 helper, 901 toolbar, 902 extension), key its entry's name.
bool IEHelperUndoRecord(int code, const char* key, const char* title, const char* command);
