#include "os_version_text.h"

#include <cstdio>

#include "text.h"

namespace {

constexpr unsigned kPlatform9x = 1;
constexpr unsigned kPlatformNt = 2;
constexpr unsigned kWorkstation = 1;
constexpr unsigned kSuiteEnterprise = 0x0002;
constexpr unsigned kSuiteDatacenter = 0x0080;
constexpr unsigned kSuitePersonal = 0x0200;
constexpr unsigned kSuiteBlade = 0x0400;

bool Is(const OsVersionFacts& f, unsigned major, unsigned minor) {
  return f.major == major && f.minor == minor;
}

std::string NinetyFiveText(const OsVersionFacts& f) {
  const char letter = f.servicePackText.size() > 1 ? f.servicePackText[1] : '\0';
  if (Is(f, 4, 0)) {
    std::string text = "Microsoft Windows 95 ";
    if (letter == 'B' || letter == 'C') text += "OSR2 ";
    return text;
  }
  if (Is(f, 4, 10)) {
    std::string text = "Microsoft Windows 98 ";
    if (letter == 'A') text += "SE ";
    return text;
  }
  if (Is(f, 4, 90)) return "Microsoft Windows Millennium Edition";
  return "Microsoft Windows ";
}

// Releases after XP report what they are, not the old names.
std::string ModernProduct(const OsVersionFacts& f) {
  const bool server = f.productType != kWorkstation;
  if (f.major == 6) {
    static const char* const kClient[] = {"Windows Vista ", "Windows 7 ", "Windows 8 ",
                                          "Windows 8.1 "};
    static const char* const kServer[] = {"Windows Server 2008 ", "Windows Server 2008 R2 ",
                                          "Windows Server 2012 ", "Windows Server 2012 R2 "};
    const unsigned index = f.minor < 4 ? f.minor : 3;
    return server ? kServer[index] : kClient[index];
  }
  if (f.major == 10 && !server) return f.build >= 22000 ? "Windows 11 " : "Windows 10 ";
  if (f.major == 10) {
    if (f.build >= 26100) return "Windows Server 2025 ";
    if (f.build >= 20348) return "Windows Server 2022 ";
    if (f.build >= 17763) return "Windows Server 2019 ";
    return "Windows Server 2016 ";
  }
  char text[48];
  std::snprintf(text, sizeof text, "Windows %u.%u ", f.major, f.minor);
  return text;
}

std::string NtProduct(const OsVersionFacts& f) {
  if (Is(f, 5, 2)) return "Windows Server 2003 family, ";
  if (Is(f, 5, 1)) return "Windows XP ";
  if (Is(f, 5, 0)) return "Windows 2000 ";
  if (f.major < 5) return "Windows NT ";
  return ModernProduct(f);
}

std::string ServicePackShort(const OsVersionFacts& f) {
  if (f.servicePackMajor < 1 || f.servicePackMajor > 3) return {};
  return "SP" + std::to_string(f.servicePackMajor) + " ";
}

std::string ServerEdition(const OsVersionFacts& f) {
  const bool datacenter = f.suiteMask & kSuiteDatacenter;
  const bool enterprise = f.suiteMask & kSuiteEnterprise;
  if (Is(f, 5, 0)) return datacenter ? "Datacenter Server " : enterprise ? "Advanced Server " : "Server ";
  if (f.major == 4) return enterprise ? "Server 4.0, Enterprise Edition " : "Server 4.0 ";
  if (datacenter) return "Datacenter Edition ";
  if (enterprise) return "Enterprise Edition ";
  if (f.suiteMask & kSuiteBlade) return "Web Edition ";
  return "Standard Edition ";
}

std::string ExtendedEdition(const OsVersionFacts& f) {
  if (f.productType != kWorkstation) return ServerEdition(f);
  if (f.major == 4) return "Workstation 4.0 ";
  if (f.suiteMask & kSuitePersonal) return "Home Edition ";
  return {};
}

std::string RegistryEdition(const OsVersionFacts& f) {
  std::string text;
  if (EqualsNoCase(f.registryProductType, "WINNT")) text = "Workstation ";
  else if (EqualsNoCase(f.registryProductType, "LANMANNT")) text = "Server ";
  else if (EqualsNoCase(f.registryProductType, "SERVERNT")) text = "Advanced Server ";
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "%u.%u ", f.major, f.minor);
  return text + numbers;
}

std::string BuildText(const OsVersionFacts& f) {
  char text[160];
  if (Is(f, 4, 0) && f.hotfixQ246009 && EqualsNoCase(f.servicePackText, "Service Pack 6")) {
    std::snprintf(text, sizeof text, "Service Pack 6a (Build %u)", f.build & 0xFFFF);
  } else if (f.servicePackText.empty()) {
    std::snprintf(text, sizeof text, "(Build %u)", f.build & 0xFFFF);
  } else {
    std::snprintf(text, sizeof text, "%.127s (Build %u)", f.servicePackText.c_str(),
                  f.build & 0xFFFF);
  }
  return text;
}

}  // namespace

std::string OsVersionTextOf(const OsVersionFacts& facts) {
  if (facts.platformId == kPlatform9x) return NinetyFiveText(facts);
  if (facts.platformId != kPlatformNt) return "Microsoft Win32s";
  std::string text = NtProduct(facts) + ServicePackShort(facts);
  if (facts.tabletPc) text += "Tablet PC Edition ";
  text += facts.extended ? ExtendedEdition(facts) : RegistryEdition(facts);
  return text + BuildText(facts);
}
