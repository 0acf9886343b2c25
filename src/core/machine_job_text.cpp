#include "machine_job_text.h"

#include "command_args.h"
#include "text.h"

std::string MachineJobArguments(const MachineJobWords& job) {
  std::string line = kMachineJobSwitch;
  line += ' ';
  line += CommandArgQuote(job.kind);
  for (const std::string& field : job.fields) {
    line += ' ';
    line += CommandArgQuote(field);
  }
  return line;
}

std::optional<MachineJobWords> MachineJobWordsFind(std::string_view commandLine) {
  const std::vector<std::string> words = CommandArgsSplit(commandLine);
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (!EqualsNoCase(words[i], kMachineJobSwitch)) continue;
    MachineJobWords job;
    job.kind = words[i + 1];
    job.fields.assign(words.begin() + static_cast<std::ptrdiff_t>(i + 2), words.end());
    return job;
  }
  return std::nullopt;
}
