// Path and command-line text rules. Platform-free: folders are handed in.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Text after the last backslash; empty (and false) when there is none.
bool FileNamePart(std::string_view path, std::string& name);
// Index of the character after the last backslash, or 0.
std::size_t FileNameOffset(std::string_view path);
// Text after the first '.' of the name; false when there is no '.'.
bool Extension(std::string_view name, std::string& ext);

// Turns a registry command line into an upper-case file path (arguments dropped,
// anything before the drive letter dropped). windowsFolder replaces a leading
// "\SystemRoot" form, programFiles a leading "%ProgramFiles%".
std::string NormaliseCommandText(std::string_view command, std::string_view windowsFolder,
                                 std::string_view programFiles);

// Splits a command into program and parameters; returns the program's length.
// windowsFolder replaces a "\SystemRoot" form as in NormaliseCommandText.
std::size_t SplitCommand(std::string_view command, std::string_view windowsFolder,
                         std::string& program, std::string& parameters);
// The same without a Windows folder: a "\SystemRoot" form keeps only what follows it.
std::size_t SplitCommand(std::string_view command, std::string& program, std::string& parameters);
// When the command runs rundll32.exe, rest is what follows it and one separator (result 1);
// otherwise rest is the command (result 0).
int RundllTarget(std::string_view command, std::string& rest);
