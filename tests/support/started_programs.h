// Programs a test starts and must not leave running: ended, and their handles closed, when
// the test calls EndAll or the set goes.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class StartedPrograms {
 public:
  StartedPrograms() = default;
  StartedPrograms(const StartedPrograms&) = delete;
  StartedPrograms& operator=(const StartedPrograms&) = delete;
  ~StartedPrograms() { EndAll(); }

  // Starts the program file, quoted, without arguments; a zeroed record when it did not start
  // (the test is marked failed then).
  PROCESS_INFORMATION Start(const std::string& program);
  const PROCESS_INFORMATION& operator[](std::size_t index) const { return started_[index]; }
  // Ends every program still running; call it before the files they run are removed.
  void EndAll();

 private:
  std::vector<PROCESS_INFORMATION> started_;
};
