// A job's fields, whatever bytes they hold, cross the command line unchanged, and no
// command line makes the reader fail.
#include <string>
#include <vector>

#include "command_args.h"
#include "fuzz_check.h"
#include "machine_job_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  MachineJobWords job;
  job.kind = std::string(input.Piece());
  for (int i = 0; i < 4; ++i) job.fields.emplace_back(input.Piece());
  const bool clean = job.kind.find('\0') == std::string::npos &&
                     [&] {
                       for (const std::string& f : job.fields)
                         if (f.find('\0') != std::string::npos) return false;
                       return true;
                     }();
  if (clean) {
    const auto found = MachineJobWordsFind("prog.exe " + MachineJobArguments(job));
    KV_CHECK(found.has_value());
    KV_CHECK(found->kind == job.kind);
    KV_CHECK(found->fields == job.fields);
  }
  CommandArgsSplit(input.Rest());
  MachineJobWordsFind(input.Rest());
  return 0;
}
