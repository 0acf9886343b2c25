// The command line of a machine-wide job handed to an elevated explorer:
// "-Job <kind> <field> ...", every field quoted, so titles and paths with blanks and quotes
// arrive as they were. Platform-free.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kMachineJobSwitch[] = "-Job";

struct MachineJobWords {
  std::string kind;
  std::vector<std::string> fields;
};

std::string MachineJobArguments(const MachineJobWords& job);
// The words after the first "-Job" word (any case); none when there is no such word or no
// kind after it.
std::optional<MachineJobWords> MachineJobWordsFind(std::string_view commandLine);
