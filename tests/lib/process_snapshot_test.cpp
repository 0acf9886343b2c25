// One process walk answers "does it run" for many programs: every copy of a program is in it
// with its own id, and it answers as the file match of the single lookup does.
#include "categories/process_snapshot.h"

#include <set>
#include <string>
#include <vector>

#include "categories/active_tasks.h"
#include "foundation/paths.h"
#include "sandbox.h"
#include "started_programs.h"
#include "text.h"

namespace {

class ProcessSnapshotTest : public RegistrySandbox {
 protected:
  void TearDown() override {
    started_.EndAll();
    RegistrySandbox::TearDown();
  }
  // Starts the program as named and waits until a snapshot holds its process.
  unsigned long Start(const std::string& program) {
    const PROCESS_INFORMATION pi = started_.Start(program);
    for (int i = 0; pi.hProcess && i < 100 && Ids(ProcessSnapshotRead(), program).count(pi.dwProcessId) == 0; ++i)
      Sleep(50);
    return pi.dwProcessId;
  }
  // The ids of the snapshot's processes whose long form is the program's.
  static std::set<unsigned long> Ids(const ProcessSnapshot& snapshot, const std::string& program) {
    char normalised[kPathSize], longForm[kPathSize];
    NormaliseCommand(program.c_str(), normalised, sizeof normalised);
    LongPath(normalised, longForm, sizeof longForm);
    std::set<unsigned long> ids;
    for (const SnapshotProcess& process : snapshot.processes)
      if (EqualsNoCase(process.longForm, longForm)) ids.insert(process.processId);
    return ids;
  }
  const std::string sleeper_ = ProgramFile("kv_sleeper.exe");
  StartedPrograms started_;
};

}  // namespace

TEST_F(ProcessSnapshotTest, HoldsEveryCopyWithItsOwnIdAndFindsAsTheSingleLookupDoes) {
  const std::string folder = ScratchFolder() + "\\a folder with a long name";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string copy = folder + "\\kv_sleeper.exe";
  ASSERT_TRUE(CopyFileA(sleeper_.c_str(), copy.c_str(), FALSE));
  const unsigned long first = Start(sleeper_);
  const unsigned long second = Start(sleeper_);
  // Started through the short form of its folder: found by its long path all the same.
  char shortCopy[kPathSize];
  ASSERT_NE(0u, GetShortPathNameA(copy.c_str(), shortCopy, sizeof shortCopy));
  const unsigned long third = Start(shortCopy);

  const ProcessSnapshot snapshot = ProcessSnapshotRead();
  EXPECT_EQ((std::set<unsigned long>{first, second}), Ids(snapshot, sleeper_));
  EXPECT_EQ(third, ProcessSnapshotFind(snapshot, copy.c_str()));
  EXPECT_EQ(third, FindProcessByFile(copy.c_str()));
  const unsigned long found = ProcessSnapshotFind(snapshot, ("\"" + sleeper_ + "\" -now").c_str());
  EXPECT_TRUE(found == first || found == second) << found;
  // A bare file name names any copy, wherever it runs from.
  EXPECT_NE(0u, ProcessSnapshotFind(snapshot, "KV_SLEEPER.EXE"));
  EXPECT_EQ(0u, ProcessSnapshotFind(snapshot, (ScratchFolder() + "\\kv_sleeper.exe").c_str()));
  EXPECT_EQ(0u, ProcessSnapshotFind(snapshot, ""));
  EXPECT_EQ(0u, ProcessSnapshotFind(snapshot, nullptr));

  // A snapshot is what ran when it was read.
  ASSERT_TRUE(TerminateProcess(started_[2].hProcess, 0));
  WaitForSingleObject(started_[2].hProcess, 5000);
  EXPECT_EQ(third, ProcessSnapshotFind(snapshot, copy.c_str()));
  EXPECT_EQ(0u, ProcessSnapshotFind(ProcessSnapshotRead(), copy.c_str()));
}

TEST(ProcessSnapshotEntryTest, AProcessWithoutPathRunsNothing) {
  CommandFolders folders;
  CommandFoldersRead(folders);
  SnapshotProcess process;
  EXPECT_FALSE(ProcessSnapshotEntry(folders, 4, "", process));
  EXPECT_FALSE(ProcessSnapshotEntry(folders, 4, nullptr, process));
  ASSERT_TRUE(ProcessSnapshotEntry(folders, 4, "C:\\Tools\\Tool.exe", process));
  EXPECT_EQ(4u, process.processId);
  EXPECT_TRUE(ProcessSnapshotMatches(process, "C:\\TOOLS\\TOOL.EXE"));
  EXPECT_TRUE(ProcessSnapshotMatches(process, "tool.exe"));
  EXPECT_FALSE(ProcessSnapshotMatches(process, "C:\\OTHER\\TOOL.EXE"));
}
