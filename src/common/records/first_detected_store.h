// A category's first-detected store read whole in one pass, for a caller that shows the dates
// of many items at once: one read per item costs a key opened, queried and closed each time.
#pragma once
#include <string>
#include <unordered_map>

struct FirstDetectedStore {
  std::unordered_map<std::string, std::string> byName;  // upper-case item name -> date text
};

// The store under which items of the code are read (as FirstDetectedText reads them).
FirstDetectedStore FirstDetectedStoreRead(int code);
// The item's date text as FirstDetectedText gives it; empty when it has none.
std::string FirstDetectedStoreText(const FirstDetectedStore& store, const char* name);
