// Personal notes kept in the data folder, and a service's start type changed with the records
// of the type it had (by its configured type, not its running state).
#include <string>

#include "categories/service_start_change.h"
#include "records/note_store.h"
#include "sandbox.h"
#include "text.h"

namespace {

class NoteStoreTest : public RegistrySandbox {
 protected:
  void SetUp() override {
    RegistrySandbox::SetUp();
    SetShellFolder("AppData", ScratchFolder());
  }
};

}  // namespace

TEST_F(NoteStoreTest, NotesLiveInTheDataFolderNamedByFileOrByTitle) {
  const std::string byFile = NoteNewPath("\"C:\\Tools\\probe.exe\" -x", "Probe");
  // The file name is spelled as the normalised command has it.
  EXPECT_TRUE(EqualsNoCase(ScratchFolder() + "\\Korvane\\note_probe.exe.txt", byFile)) << byFile;
  const std::string byTitle = NoteNewPath("", "Task: a/b?");
  EXPECT_EQ(ScratchFolder() + "\\Korvane\\note_Task_ a_b_.txt", byTitle);
  EXPECT_EQ("", NoteNewPath("", ""));

  std::string found;
  EXPECT_FALSE(NoteFind("", "Task: a/b?", found));
  ASSERT_TRUE(NoteWrite(byTitle, "first\r\n"));
  ASSERT_TRUE(NoteFind("", "Task: a/b?", found));
  EXPECT_EQ(byTitle, found);
  std::string text;
  ASSERT_TRUE(NoteRead(found, text));
  EXPECT_EQ("first\r\n", text);

  ASSERT_TRUE(NoteWrite(byFile, "about probe"));
  ASSERT_TRUE(NoteFind("C:\\Tools\\probe.exe", "other title", found));
  EXPECT_EQ(byFile, found);
}

TEST_F(NoteStoreTest, ALongNoteIsKeptWholeOrRefusedNeverCut) {
  const std::string path = NoteNewPath("C:\\x\\long.exe", "");
  const std::string full(kNoteTextMax, 'n');
  ASSERT_TRUE(NoteWrite(path, full));
  std::string text;
  ASSERT_TRUE(NoteRead(path, text));
  EXPECT_EQ(full, text);
  EXPECT_FALSE(NoteWrite(path, full + "x")) << "a note longer than the box holds is refused";
  ASSERT_TRUE(NoteRead(path, text));
  EXPECT_EQ(full, text) << "the refused save left the old note";
  EXPECT_FALSE(NoteWrite(ScratchFolder() + "\\no\\such\\folder\\note.txt", "x"));
  EXPECT_FALSE(NoteRead(ScratchFolder() + "\\none.txt", text));
  EXPECT_EQ("", text);
}

TEST_F(NoteStoreTest, StartTypeChangeOfAnUnknownServiceWritesNothing) {
  EXPECT_EQ(-1, ServiceConfiguredStart("Korvane No Such Service"));
  EXPECT_FALSE(ChangeServiceStartType("Korvane No Such Service", "C:\\x.exe", 700, 1));
  EXPECT_FALSE(ChangeServiceStartType("Korvane No Such Service", "C:\\x.exe", 700, 3));
  EXPECT_FALSE(ChangeServiceStartType(nullptr, "C:\\x.exe", 700, 0));
  EXPECT_EQ("", HistoryText());
}
