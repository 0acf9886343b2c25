// Addresses the about page hands to the browser. Platform-free.
#pragma once
#include <string>
#include <string_view>

// The maker's news page below the lookup server's base address.
std::string VeltNewsAddress(std::string_view base);
// The version check: the stored address (GetVersion) or, when that is empty, the maker's
// version page, followed by "&build=" with the build text and "&Loc=" with the language code.
std::string VeltVersionAddress(std::string_view stored, std::string_view versionPage,
                               std::string_view build, std::string_view languageCode);
