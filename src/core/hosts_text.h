// Which lines of the HOSTS file a scan log reports: the redirections, told by their exact
// address, not by a piece of text. Platform-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The loopback and null addresses that only block or name the machine itself: 127.0.0.0/8,
// 0.0.0.0 (and "0"), ::1, ::, their long and IPv4-mapped forms.
bool HostsAddressIsLocal(std::string_view address);
// The line as the log shows it: TABs as blanks, other control characters dropped.
std::string HostsLineShown(std::string_view line);
// A shown line is logged when it is not a comment, is 5 to 499 characters long, and its
// first word (the address) is not local.
bool HostsLineLogged(std::string_view shown);
// Every logged line of the file's bytes, in order; the last line needs no line end.
std::vector<std::string> HostsLoggedLines(std::string_view file);
