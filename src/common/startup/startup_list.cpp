#include "startup/startup_list.h"

#include "startup/item_list.h"

int BuildStartupList(int) {
  ItemListClear();
  return 0;
}
