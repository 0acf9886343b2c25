// Library tests that make shell links: the registry sandbox with COM started for the test.
#pragma once
#include <string>

#include "sandbox.h"

class ShortcutSandbox : public RegistrySandbox {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Saves a shell link at path to target; arguments and description may be empty.
void MakeShortcut(const std::string& path, const std::string& target, const char* arguments,
                  const char* description);
