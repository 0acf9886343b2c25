// Text rules of the info lookup and the help pages: the knowledge-base key, the encoding of
// query values and the addresses and command lines handed to a browser. Platform-free.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Longest texts, in characters; longer ones are silently cut.
inline constexpr std::size_t kShortAddressMax = 259;
inline constexpr std::size_t kQueryMax = 1023;
inline constexpr std::size_t kDetailedAddressMax = 1347;
inline constexpr std::size_t kLookupBaseMax = 200;
inline constexpr char kLookupBaseDefault[] = "http://www.example.com/";

// A blank becomes %20 and '&' becomes '+'. Characters that would end the address early or
// break the command line it is handed on ('"', '#', '%', '<', '>', control characters and
// bytes above 126) are percent-encoded; every other character is copied unchanged.
std::string LookupEncode(std::string_view value);
// Cuts the address to max characters without leaving half of a %-escape at its end.
std::string LookupBound(std::string_view address, std::size_t max);
// The configured base address when it is a usable http(s) address (a closing '/' added when
// missing); otherwise the fallback.
std::string LookupBase(std::string_view configured, std::string_view fallback);

// Name of the local page (without ".html") for a program's path or file name; empty when
// nothing is left. The key never holds a folder separator or a character that files
// cannot carry, so the page stays inside the knowledge-base folder.
std::string KnowledgeBaseKey(std::string_view path);

// Everything the two requests send about one item.
struct LookupRequest {
  int kind = 0;
  std::string_view location;     // "&Loc=" value
  std::string_view build;        // the program identity
  std::string_view normalised;   // the normalised path; empty sends the title as program
  std::string_view title;
  std::string_view pathAsFound;
  std::string_view company;
  std::string_view version;
  std::string_view product;
  std::string_view copyright;
  std::string_view description;
  std::string_view created;
  std::string_view detected;
  std::string_view size;
};

// "en", or "de" for language number 7 and "fr" for 12.
std::string_view ShortLookupLocation(int languageId);
std::string ShortLookupAddress(std::string_view base, const LookupRequest& request);
std::string DetailedLookupAddress(std::string_view base, const LookupRequest& request);

// Help page of a command, with the "<code>_" prefix unless the language code is "us".
// A code that is not plain letters, digits or '-' gives no prefix.
std::string HelpPageName(std::string_view languageCode, int commandId);

// Command lines for a running AOL client: the info address ends with '"', the help address
// starts with it. A program folder with blanks is quoted.
std::string AolInfoCommand(std::string_view appPath, std::string_view address);
std::string AolHelpCommand(std::string_view appPath, std::string_view address);
// "<program> <argument>", the program quoted when it holds a blank.
std::string CommandWithArgument(std::string_view program, std::string_view argument);

// Content of an Internet-shortcut file pointing at the address.
std::string InternetShortcutText(std::string_view address);
