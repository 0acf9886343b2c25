// Text rules of the watched file types: the watched list ("AVI;BAT;"), command comparison,
// program names and icon locations. Platform-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kFileTypeListMax = 1019;
inline constexpr std::size_t kFileTypeEntryMax = 256;
inline constexpr int kFileTypeAlreadyWatched = 762;
inline constexpr int kFileTypeListFull = 763;
inline constexpr int kFileTypeExecutableString = 746;
inline constexpr int kFileTypeNoProgramString = 742;

// The extension with one leading dot ("avi" and ".avi" give ".avi").
std::string FileTypeDotted(std::string_view ext);
// The watched-list entry of an extension: without its leading dot.
std::string_view FileTypeEntry(std::string_view ext);
// The listed extensions, each cut at 256 characters and given a dot; empty pieces and
// lone dots are skipped.
std::vector<std::string> FileTypeListExtensions(std::string_view list);
// 0 when entry may be appended, kFileTypeListFull when the list would grow too long,
// kFileTypeAlreadyWatched when it is listed already (any case) or is no valid entry.
int FileTypeAddCheck(std::string_view list, std::string_view entry);
// The list with entry added at the end, every entry ending in ";".
std::string FileTypeListAppend(std::string_view list, std::string_view entry);
// The list without the entries equal to entry (ignoring case), every kept one ending in ";".
std::string FileTypeListRemove(std::string_view list, std::string_view entry);
// True when the parts after the last backslash differ (ignoring case and double quotes): new
// arguments are a change, the same program in another folder is not. Every other character,
// '=' included, counts as it is.
bool FileTypeCommandsDiffer(std::string_view stored, std::string_view live);
// Removes every double quote.
std::string FileTypeUnquoted(std::string_view command);
// A fixed program-name string for special commands (746 executable, 742 none), else 0.
int FileTypeProgramString(std::string_view command);
// The part of a command that names its program: after "RUNDLL32.EXE" the hosted DLL.
std::string FileTypeProgramText(std::string_view command);
// Splits "file,index" at its last comma; without a comma the index is 0 and file is empty.
bool FileTypeSplitIcon(std::string_view value, std::string& file, int& index);
