#include "command_name_text.h"

#include <string>

#include "paths_text.h"

std::size_t CommandFileNameOffset(std::string_view command) {
  std::string program, parameters;
  SplitCommand(command, program, parameters);
  const std::size_t programEnd =
      parameters.size() <= command.size() ? command.size() - parameters.size() : command.size();
  return FileNameOffset(command.substr(0, programEnd));
}
