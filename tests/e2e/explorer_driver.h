// Drives the real explorer in the test prefix: starts it, finds its tabbed window by caption
// and the page's controls by id, reads and selects list rows across the process boundary,
// answers its boxes, and makes sure no explorer outlives a test.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <string>
#include <vector>

#include "monitor_driver.h"
#include "resource.h"

inline constexpr char kExplorerClass[] = "KorvaneEx";
inline constexpr char kSheetCaption[] = "Korvane VELT";  // also the caption of its boxes
inline constexpr char kOptionsKey[] = "Software\\Tamsel\\Korvane\\Options";
inline constexpr char kStartupTabText[] = "Startup Programs";
inline constexpr char kVeltTabText[] = "VELT";
inline constexpr int kMessageBoxText = 65535;
// The columns of the startup page's list.
enum StartupColumn { kColTitle, kColCommand, kColCompany, kColType, kColFirstDetected };

// The frames of every running explorer, and the process of a window.
std::vector<HWND> ExplorerFrames();
DWORD WindowProcess(HWND window);
// Asks every running explorer to close (command 6030 to its frame) and ends the ones that do
// not within seconds. True when none runs afterwards.
bool CloseAllExplorers();

// The explorer's tabbed window: a visible dialog with that caption holding a tab control.
HWND FindSheet(DWORD processId);
HWND WaitSheet(DWORD processId, DWORD timeoutMs = kWaitMs);
HWND SheetTabs(HWND sheet);
int SelectedTab(HWND sheet);
std::string TabText(HWND sheet, int index);
inline std::string SelectedTabText(HWND sheet) { return TabText(sheet, SelectedTab(sheet)); }
std::vector<std::string> TabTexts(HWND sheet);
// Switches pages the way a click on the tab does.
bool SelectTab(HWND sheet, int index);
HWND ActivePage(HWND sheet);
HWND PageControl(HWND sheet, int controlId);
// Posts a button press to the active page, so that a box it opens does not block the caller.
bool PressPageButton(HWND sheet, int controlId);
// Posts a command of the page's context menu.
bool SendMenuCommand(HWND sheet, int command);

// A top-level dialog of the explorer that is not its tabbed window: a box, or a dialog such
// as the open-file dialog (caption null: any).
HWND FindExplorerDialog(DWORD processId, const char* caption = nullptr);
HWND WaitExplorerDialog(DWORD processId, const char* caption = nullptr,
                        DWORD timeoutMs = kWaitMs);
inline std::string MessageBoxText(HWND box) { return DialogItemText(box, kMessageBoxText); }
// Presses the box's button and waits until the box has gone.
bool AnswerBox(HWND box, int buttonId);
// The child of the dialog with that id at any depth (file dialogs nest their controls).
HWND FindDescendant(HWND parent, int controlId);

// Memory in the process of a window for one item structure and, after it, its text: the
// list and tab messages take pointers, which must point into the process that reads them.
class RemoteMemory {
 public:
  explicit RemoteMemory(HWND window);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  explicit operator bool() const { return base_ != nullptr; }
  LPARAM Item() const { return reinterpret_cast<LPARAM>(base_); }
  char* Text() const;
  int TextSize() const;
  // Writes the item structure.
  bool Put(const void* bytes, size_t size) const;
  std::string ReadText() const;

 private:
  Handle process_;
  char* base_ = nullptr;
};

// A report list of another process.
class RemoteList {
 public:
  explicit RemoteList(HWND list) : list_(list), memory_(list) {}
  explicit operator bool() const { return static_cast<bool>(memory_); }

  int Rows() const;
  std::string Cell(int row, int column) const;
  std::vector<std::string> Column(int column) const;
  // The indexes of the rows whose title cell equals the title, in list order.
  std::vector<int> RowsTitled(const std::string& title) const;
  // Selects exactly these rows, the first of them focused.
  bool Select(const std::vector<int>& rows) const;
  std::vector<int> Selected() const;

 private:
  bool SetState(int row, UINT state, UINT mask) const;
  HWND list_;
  RemoteMemory memory_;
};

// The startup page's list of the open sheet (null when the page is not showing).
inline HWND StartupList(HWND sheet) { return PageControl(sheet, IDC_PAGE_LIST); }
// Waits until the list has a row with that title and the count of such rows is `count`.
bool WaitRowsTitled(HWND list, const std::string& title, size_t count);

class ExplorerTest : public MonitorTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Starts KorvaneEx.exe with the arguments.
  ProgramRun& StartExplorer(const char* arguments);
  // Starts it and waits for its tabbed window; null (and a failure) when none came.
  HWND OpenExplorer(const char* arguments, ProgramRun** run = nullptr);
  // Closes the tabbed window as its title bar's close does and waits for the explorer to end.
  static bool CloseSheet(HWND sheet, const ProgramRun& run);

 private:
  std::deque<ProgramRun> explorers_;
};
