// The platform's name as the reports print it, from the facts of its version record.
// Platform-free: the caller reads the record and the few registry facts.
#pragma once
#include <string>

struct OsVersionFacts {
  unsigned major = 0, minor = 0, build = 0;
  unsigned platformId = 2;          // 0 Win32s, 1 the 9x family, 2 NT
  bool extended = false;            // the fields below the service pack come from the record
  unsigned servicePackMajor = 0;
  std::string servicePackText;      // "Service Pack 2", or the 9x family's version letter
  unsigned productType = 1;         // 1 workstation, 2 domain controller, 3 server
  unsigned suiteMask = 0;
  bool tabletPc = false;
  std::string registryProductType;  // ProductOptions\ProductType, when not extended
  bool hotfixQ246009 = false;       // NT 4.0 with Service Pack 6a
};

std::string OsVersionTextOf(const OsVersionFacts& facts);
