// A Task Scheduler 2.0 task in the scan log: one KV31 line like a work item's, under its path
// and program; line breaks hidden in its file as character references forge no line.
#include <windows.h>

#include <fstream>
#include <string>

#include "categories/scheduled_tasks_v2.h"
#include "reports/report_scan_log.h"
#include "sandbox.h"
#include "task_service_probe.h"

namespace {

std::string WindowsTaskFile(const std::string& command) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<Task version=\"1.2\" "
      "xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\"><Actions><Exec><Command>" +
      command + "</Command></Exec></Actions></Task>\r\n";
  return Utf16WithMark(xml);
}

class ScanLogTasksV2Test : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    folder_ = TasksV2Folder() + "\\KvLogV2";
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    for (const char* name : {"\\Plain", "\\Forged"}) DeleteFileA((folder_ + name).c_str());
    RemoveDirectoryA(folder_.c_str());
    RegistrySandbox::TearDown();
  }
  void Drop(const char* name, const std::string& command) const {
    std::ofstream(folder_ + name, std::ios::binary) << WindowsTaskFile(command);
  }
  std::string folder_;
};

}  // namespace

TEST_F(ScanLogTasksV2Test, TaskHasItsLineAndCannotForgeOthers) {
  Drop("\\Plain", "C:\\T\\v2log.exe");
  Drop("\\Forged", "C:\\T\\x.exe&#13;&#10;KV99 - Forged: [evil]");
  const std::string path = ScratchFolder() + "\\HijackKorvane.log";
  ASSERT_TRUE(WriteScanLogFile(path, true)) << GetLastError();
  const std::string log = FileText(path);
  EXPECT_NE(std::string::npos, log.find("KV31 - Scheduled Tasks: [\\KvLogV2\\Plain]C:\\T\\v2log.exe"))
      << log;
  EXPECT_NE(std::string::npos, log.find("[\\KvLogV2\\Forged]")) << log;
  EXPECT_EQ(std::string::npos, log.find("\nKV99")) << log;
  EXPECT_EQ(std::string::npos, log.find("\rKV99")) << log;
}
