#include "explorer_driver.h"

#include <prsht.h>

namespace {

inline constexpr UINT kSendTimeoutMs = 5000;
inline constexpr DWORD kCloseWaitMs = 5000;
inline constexpr size_t kRemoteSize = 4096;
inline constexpr size_t kRemoteTextAt = 512;  // text buffer after the item structure
inline constexpr int kRemoteTextSize = 2048;

// Sends with a bound, so that a hung explorer fails the test instead of holding it.
bool SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &answer))
    return false;
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

LRESULT SendOrZero(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  return SendBounded(window, message, wParam, lParam, &result) ? result : 0;
}

bool HasTabs(HWND dialog) {
  return FindWindowExA(dialog, nullptr, WC_TABCONTROLA, nullptr) != nullptr;
}

}  // namespace

std::vector<HWND> ExplorerFrames() {
  std::vector<HWND> frames;
  for (HWND w = FindWindowExA(nullptr, nullptr, kExplorerClass, nullptr); w;
       w = FindWindowExA(nullptr, w, kExplorerClass, nullptr))
    frames.push_back(w);
  return frames;
}

DWORD WindowProcess(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  return processId;
}

bool CloseAllExplorers() {
  for (HWND frame : ExplorerFrames()) {
    Handle process(
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, WindowProcess(frame)));
    PostMessageA(frame, WM_COMMAND, ID_CMD_CLOSE, 0);
    if (process && WaitForSingleObject(process.get(), kCloseWaitMs) != WAIT_OBJECT_0) {
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), kCloseWaitMs);
    }
  }
  return WaitUntil([] { return ExplorerFrames().empty(); }, kCloseWaitMs);
}

HWND FindSheet(DWORD processId) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", kSheetCaption); w;
       w = FindWindowExA(nullptr, w, "#32770", kSheetCaption))
    if (WindowProcess(w) == processId && IsWindowVisible(w) && HasTabs(w)) return w;
  return nullptr;
}

HWND WaitSheet(DWORD processId, DWORD timeoutMs) {
  HWND sheet = nullptr;
  WaitUntil([&] { return (sheet = FindSheet(processId)) != nullptr; }, timeoutMs);
  return sheet;
}

HWND SheetTabs(HWND sheet) {
  return reinterpret_cast<HWND>(SendOrZero(sheet, PSM_GETTABCONTROL, 0, 0));
}

int SelectedTab(HWND sheet) {
  LRESULT index = -1;
  const HWND tabs = SheetTabs(sheet);
  if (!tabs || !SendBounded(tabs, TCM_GETCURSEL, 0, 0, &index)) return -1;
  return static_cast<int>(index);
}

std::string TabText(HWND sheet, int index) {
  const HWND tabs = SheetTabs(sheet);
  if (!tabs || index < 0) return {};
  RemoteMemory remote(tabs);
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = remote.Text();
  item.cchTextMax = remote.TextSize();
  LRESULT done = 0;
  if (!remote.Put(&item, sizeof item) ||
      !SendBounded(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), remote.Item(), &done) ||
      !done)
    return {};
  return remote.ReadText();
}

std::vector<std::string> TabTexts(HWND sheet) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendOrZero(SheetTabs(sheet), TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) texts.push_back(TabText(sheet, i));
  return texts;
}

bool SelectTab(HWND sheet, int index) {
  LRESULT done = 0;
  return SendBounded(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0, &done) && done &&
         WaitUntil([&] { return SelectedTab(sheet) == index; });
}

HWND ActivePage(HWND sheet) {
  return reinterpret_cast<HWND>(SendOrZero(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND PageControl(HWND sheet, int controlId) {
  const HWND page = ActivePage(sheet);
  return page ? GetDlgItem(page, controlId) : nullptr;
}

bool PressPageButton(HWND sheet, int controlId) {
  const HWND page = ActivePage(sheet);
  const HWND button = page ? GetDlgItem(page, controlId) : nullptr;
  return button && PostMessageA(page, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                                reinterpret_cast<LPARAM>(button));
}

bool SendMenuCommand(HWND sheet, int command) {
  const HWND page = ActivePage(sheet);
  return page && PostMessageA(page, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

HWND FindExplorerDialog(DWORD processId, const char* caption) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", caption); w;
       w = FindWindowExA(nullptr, w, "#32770", caption))
    if (WindowProcess(w) == processId && IsWindowVisible(w) && !HasTabs(w)) return w;
  return nullptr;
}

HWND WaitExplorerDialog(DWORD processId, const char* caption, DWORD timeoutMs) {
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = FindExplorerDialog(processId, caption)) != nullptr; },
            timeoutMs);
  return dialog;
}

bool AnswerBox(HWND box, int buttonId) {
  PressBoxButton(box, buttonId);
  return WaitUntil([&] { return !IsWindow(box); });
}

HWND FindDescendant(HWND parent, int controlId) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == controlId) return child;
    if (HWND inner = FindDescendant(child, controlId)) return inner;
  }
  return nullptr;
}

RemoteMemory::RemoteMemory(HWND window) {
  process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             WindowProcess(window)));
  if (window && process_)
    base_ = static_cast<char*>(VirtualAllocEx(process_.get(), nullptr, kRemoteSize,
                                              MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

RemoteMemory::~RemoteMemory() {
  if (base_) VirtualFreeEx(process_.get(), base_, 0, MEM_RELEASE);
}

char* RemoteMemory::Text() const { return base_ + kRemoteTextAt; }

int RemoteMemory::TextSize() const { return kRemoteTextSize; }

bool RemoteMemory::Put(const void* bytes, size_t size) const {
  SIZE_T written = 0;
  return base_ && size <= kRemoteTextAt &&
         WriteProcessMemory(process_.get(), base_, bytes, size, &written) && written == size;
}

std::string RemoteMemory::ReadText() const {
  char text[kRemoteTextSize + 1] = "";
  SIZE_T read = 0;
  if (!base_ || !ReadProcessMemory(process_.get(), Text(), text, kRemoteTextSize, &read))
    return {};
  return text;
}

int RemoteList::Rows() const {
  return static_cast<int>(SendOrZero(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::string RemoteList::Cell(int row, int column) const {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = memory_.Text();
  item.cchTextMax = memory_.TextSize();
  if (!memory_.Put(&item, sizeof item) ||
      !SendBounded(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), memory_.Item(), nullptr))
    return {};
  return memory_.ReadText();
}

std::vector<std::string> RemoteList::Column(int column) const {
  std::vector<std::string> cells;
  const int rows = Rows();
  for (int row = 0; row < rows; ++row) cells.push_back(Cell(row, column));
  return cells;
}

std::vector<int> RemoteList::RowsTitled(const std::string& title) const {
  std::vector<int> rows;
  const std::vector<std::string> titles = Column(kColTitle);
  for (size_t i = 0; i < titles.size(); ++i)
    if (titles[i] == title) rows.push_back(static_cast<int>(i));
  return rows;
}

bool RemoteList::SetState(int row, UINT state, UINT mask) const {
  LVITEMA item = {};
  item.state = state;
  item.stateMask = mask;
  LRESULT done = 0;
  return memory_.Put(&item, sizeof item) &&
         SendBounded(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), memory_.Item(), &done) &&
         done;
}

bool RemoteList::Select(const std::vector<int>& rows) const {
  constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
  if (!SetState(-1, 0, kBoth)) return false;
  for (size_t i = 0; i < rows.size(); ++i)
    if (!SetState(rows[i], i == 0 ? kBoth : LVIS_SELECTED, kBoth)) return false;
  return Selected() == rows;
}

std::vector<int> RemoteList::Selected() const {
  std::vector<int> rows;
  LRESULT row = -1;
  while (SendBounded(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED, &row) &&
         row >= 0 && (rows.empty() || row > rows.back()))
    rows.push_back(static_cast<int>(row));
  return rows;
}

bool WaitRowsTitled(HWND list, const std::string& title, size_t count) {
  return WaitUntil([&] {
    const RemoteList rows(list);
    return rows && rows.RowsTitled(title).size() == count;
  });
}

void ExplorerTest::SetUp() {
  MonitorTest::SetUp();
  ASSERT_TRUE(CloseAllExplorers()) << "an explorer from before would take the hand-over";
}

void ExplorerTest::TearDown() {
  EXPECT_TRUE(CloseAllExplorers());
  for (ProgramRun& run : explorers_) run.Kill();
  explorers_.clear();
  MonitorTest::TearDown();
}

ProgramRun& ExplorerTest::StartExplorer(const char* arguments) {
  ProgramRun& run = explorers_.emplace_back();
  EXPECT_TRUE(run.Start("KorvaneEx.exe", arguments)) << arguments;
  return run;
}

HWND ExplorerTest::OpenExplorer(const char* arguments, ProgramRun** started) {
  ProgramRun& run = StartExplorer(arguments);
  if (started) *started = &run;
  const HWND sheet = WaitSheet(run.Id());
  EXPECT_NE(nullptr, sheet) << "no tabbed window for \"" << arguments << "\"";
  return sheet;
}

bool ExplorerTest::CloseSheet(HWND sheet, const ProgramRun& run) {
  return PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0) && run.WaitExit();
}
