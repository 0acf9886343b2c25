// Which services the monitor has seen. A service is known by its registry key name, which no
// other service can share; the display names older versions stored still count as known, each
// taken over once by the service that carries it. The quick pre-test compares every service
// key and its program with what the last full check saw, so that an unchanged machine is
// checked without asking the service manager for anything.
#pragma once
#include <string>
#include <vector>

#include "startup/item_list.h"

inline constexpr char kServicesKeyNamesKey[] = "Software\\Tamsel\\Korvane\\Services\\Keys";
inline constexpr char kServicesSeenKey[] = "Software\\Tamsel\\Korvane\\Services\\Seen";

struct ServiceToAsk {
  ItemRow row;
  std::string keyName;
};

// True when every service key with a program is one the last full check saw settled, with
// the same program: nothing can be new.
bool ServicesQuickUnchanged();
// The full check: the listed services not known yet, in list order. Records what it saw for
// the next quick pre-test.
std::vector<ServiceToAsk> ServicesToAsk();
void ServiceRemember(const ServiceToAsk& service);
// Every listed service as known, and what is there as seen (first start).
void ServicesRememberAll();
