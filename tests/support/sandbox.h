// Hermetic surroundings for library tests: HKCU, HKLM and HKCR are mapped onto scratch keys
// for the life of the fixture, and a scratch folder is made and removed.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

class RegistrySandbox : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Scratch folder for files; removed with everything in it after the test.
  const std::string& ScratchFolder() const { return scratch_; }
  // Writes a file into the scratch folder and returns its full path.
  std::string WriteScratchFile(const char* name, const std::string& bytes);

 private:
  std::string root_;     // HKCU-relative path of this test's scratch keys
  std::string scratch_;  // scratch folder
  HKEY mapped_[3] = {};
};

// Reads a REG_SZ straight from the (mapped) registry; empty when missing.
std::string ReadRegString(HKEY root, const char* subkey, const char* value);
bool RegKeyExists(HKEY root, const char* subkey);
bool RegValueExists(HKEY root, const char* subkey, const char* value);
