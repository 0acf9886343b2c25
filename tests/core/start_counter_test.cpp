#include "start_counter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StartCounter, FourStartsFromZeroPruneEachCategoryOnceInTurn) {
  std::vector<std::string> pruned;
  int counter = 0;
  for (int start = 0; start < 4; ++start) {
    counter = NextStartCounter(counter);
    pruned.push_back(PruneCategoryFor(counter));
  }
  EXPECT_EQ((std::vector<std::string>{"ActiveTasks", "Services", "Hidden", "Tasks"}), pruned);
  EXPECT_EQ(0, counter);
}

TEST(StartCounter, AHostileStoredCounterStartsTheTurnAgain) {
  for (int stored : {-1, 4, 99, -2147483647 - 1, 2147483647}) {
    EXPECT_EQ(0, NextStartCounter(stored)) << stored;
    EXPECT_STREQ("Tasks", PruneCategoryFor(stored)) << stored;
  }
}
