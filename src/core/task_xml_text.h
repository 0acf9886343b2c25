// What a Task Scheduler 2.0 task file says about itself: the programs its Exec actions run,
// whether it is enabled, and who wrote it. Read from the file's bytes as Windows writes them
// (UTF-16 with a byte-order mark) or as any other tool may (UTF-8, with or without a mark).
// No entity of a document type is expanded and nothing is fetched. Platform-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Longer files are not read: real task files are a few kilobytes.
inline constexpr std::size_t kTaskXmlBytesMax = 1u << 20;
// Every text taken from the file is cut to this many bytes.
inline constexpr std::size_t kTaskXmlTextMax = 1023;
inline constexpr std::size_t kTaskXmlExecMax = 32;

struct TaskXmlExec {
  std::string command;    // UTF-8
  std::string arguments;  // UTF-8
};

struct TaskXmlFacts {
  std::vector<TaskXmlExec> execs;
  bool enabled = true;
  std::string author;       // UTF-8
  std::string description;  // UTF-8
  std::string uri;          // UTF-8, the task's path as registered
  // False for a file that ends inside an element or breaks the XML: what was read before
  // the break is still given, so a damaged file cannot hide its actions.
  bool wellFormed = false;
};

// The file's text as UTF-8, whatever its encoding; a byte-order mark picks UTF-16 either way.
std::string TaskXmlUtf8(std::string_view bytes);
TaskXmlFacts TaskXmlRead(std::string_view bytes);
// The command line an Exec action runs: the command, quoted when it holds a blank and is
// not quoted yet, then the arguments after one blank.
std::string TaskXmlCommandLine(const TaskXmlExec& exec);
