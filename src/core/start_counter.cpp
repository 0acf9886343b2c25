#include "start_counter.h"

namespace {

constexpr const char* kPrunedCategories[kStartCounterTurn] = {"Tasks", "ActiveTasks",
                                                              "Services", "Hidden"};

}  // namespace

int NextStartCounter(int stored) {
  return stored >= 0 && stored < kStartCounterTurn - 1 ? stored + 1 : 0;
}

const char* PruneCategoryFor(int counter) {
  return kPrunedCategories[counter >= 0 && counter < kStartCounterTurn ? counter : 0];
}
