#pragma once
// The end-to-end driver: starts the real tavelin.exe under Wine and works it from outside as a
// user would, through its windows (FindWindow, EnumChildWindows, SendMessage, PostMessage,
// SendInput). Texts are read with the W messages: across processes Wine cuts A texts short.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

// The tool under test, from the driver's command line (--tool=<path of tavelin.exe>).
const std::wstring& ToolPath();
void SetToolPath(std::wstring path);
// Where screenshots go (--artifacts=<folder>); empty: none are saved.
const std::wstring& ArtifactFolder();
void SetArtifactFolder(std::wstring folder);
// The screen density the prefix was set to for this run (--density=<pixels per inch>); 0 when
// the run is not one of the density runs.
int ScreenDensity();
void SetScreenDensity(int pixelsPerInch);

std::wstring Widen(const std::string& cp1252);
std::string Narrow(const std::wstring& text);  // to CP1252

// Polls `condition` every few milliseconds until it holds or `timeout` passes.
template <class Condition>
bool WaitFor(Condition condition, Duration timeout = 5000ms) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    Sleep(15);
  }
}

struct ChildWindow {
  HWND handle = nullptr;
  std::wstring className;
  std::wstring text;
  RECT rect{};  // relative to the parent's client area
  LONG style = 0;
  int id = 0;
};

// One running tavelin.exe. Ends it, if still running, when destroyed.
class Tool {
public:
  // Starts the tool with `arguments` (after the program name) and `folder` as its current
  // directory (empty: the driver's); `program` is a copy of it to start instead (empty: the
  // tool under test itself).
  explicit Tool(const std::wstring& arguments = L"", const std::wstring& folder = L"",
                const std::wstring& program = L"");
  ~Tool();
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  DWORD ProcessId() const { return processId_; }
  HANDLE Process() const { return process_; }

  // The main window once it is visible; null if it did not appear in time.
  HWND MainWindow(Duration timeout = 10000ms) const;
  // A visible dialog (#32770: message box or file dialog) of the tool; null if none appeared.
  HWND WaitForDialog(Duration timeout = 10000ms) const;
  // Every visible dialog of the tool now.
  std::vector<HWND> Dialogs() const;
  // Top-level windows of the tool (visible or not) with the given class.
  std::vector<HWND> TopLevelWindows(const wchar_t* className) const;

  // The application window: the tool's taskbar entry and the owner of its other windows; null
  // if there is not exactly one.
  HWND ApplicationWindow() const;

  // The exit status, once the process ended within `timeout`.
  std::optional<DWORD> WaitForExit(Duration timeout = 10000ms) const;

  // The tool's UI thread's focus and active window.
  HWND Focus() const;
  HWND ActiveWindow() const;

  // The tool's current directory, read from its process parameters.
  std::wstring CurrentDirectory() const;

  // Waits until the tool has handled every message it got so far.
  void Settle() const;

private:
  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
};

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
std::vector<ChildWindow> Children(HWND parent);
// The first child of that class (and text, if given); fails the test when there is none.
ChildWindow Child(HWND parent, const std::wstring& className, const std::wstring& text = L"");
std::optional<ChildWindow> FindChild(HWND parent, const std::wstring& className,
                                     const std::wstring& text = L"");
// A descendant at any depth with that control id, or null.
HWND DescendantWithId(HWND parent, int id);

// The items of a combo box, and its selection.
std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);

// A message box as the user sees it.
struct MessageBoxView {
  std::wstring caption;
  std::wstring text;
  bool hasIcon = false;
  std::vector<int> buttons;  // the ids of its buttons (IDOK, IDCANCEL, ...)
  int defaultButton = 0;     // the id of the button Enter presses
};
MessageBoxView ReadMessageBox(HWND box);

// A visible dialog of the tool other than `other` (a box that follows another), or null.
HWND WaitForDialogOtherThan(const Tool& tool, HWND other, Duration timeout = 10000ms);

// Presses a dialog's button as a click would.
void PressDialogButton(HWND dialog, int id);
// Clicks a button of the main window (posted, so a modal box it opens does not block us).
void ClickButton(HWND button);
// Clicks a button and returns once the tool has run its handler; false if it did not in time.
// Only for a handler that opens no modal box.
bool ClickButtonAndWait(HWND button, Duration timeout = 10000ms);
// Clicks a label (its STN_CLICKED notification).
void ClickLabel(HWND form, HWND label);

// Log-off as the system does it. QueryEndSession asks every top-level window of the tool
// whether the session may end (WM_QUERYENDSESSION) and says whether all agreed; EndSession then
// tells each of them (WM_ENDSESSION) whether it ends.
bool QueryEndSession(const Tool& tool);
void EndSession(const Tool& tool, bool ending);

// Keyboard input to the foreground window: a key with optional Alt or Shift.
void PressKey(WORD virtualKey, bool alt = false, bool shift = false);
bool BringToFront(HWND window);

// Types `path` into an open file dialog's file name field and confirms it.
void TypeIntoFileDialog(HWND dialog, const std::string& path);
// Opens the tool's file dialog with Alt+S, types `path` into its file name field and confirms
// it; returns once the dialog is gone and the main window's file field was filled.
void ChooseInFileDialog(const Tool& tool, HWND main, const std::string& path);
// Selects the item of that text in the main window's download list; fails the test without one.
void SelectEntry(HWND main, const std::string& entry);

// The number of handles a process holds, from the system's handle table (under Wine
// GetProcessHandleCount gives 0 for other processes); -1 when the table cannot be read.
int HandleCount(DWORD processId);

// The size of `text` as DrawText measures it in `format` (DT_CALCRECT added), in a font of that
// face and height made here: at the prefix's density, as the tool makes it.
inline constexpr UINT kLabelFormat = DT_EXPANDTABS | DT_NOCLIP;  // as a label measures its text
SIZE TextSize(const std::wstring& text, const wchar_t* face, int height, UINT format);

// Saves the window as it is on the screen to <artifacts>/<name>.bmp (if artifacts are on).
void SaveScreenshot(HWND window, const std::wstring& name);

// The client's registry data, in the HKEY_CURRENT_USER of the scratch prefix.
namespace client {
inline constexpr char kRoot[] = "Software\\Scour";
inline constexpr char kOptions[] = "Software\\Scour\\Scour Exchange\\Options";
inline constexpr char kDownloadList[] = "Software\\Scour\\Scour Exchange\\Download List";
void Remove();  // the whole client branch
void SetValue(const std::string& key, const std::string& name, DWORD type, const std::string& data);
void SetString(const std::string& key, const std::string& name, const std::string& text);
void AddEntry(const std::string& name);
std::string EntryKey(const std::string& name);  // the entry's key path
struct Value {
  DWORD type = 0;
  std::string data;
};
std::optional<Value> QueryValue(const std::string& key, const std::string& name);
bool KeyExists(const std::string& key);
}  // namespace client

// Runs a console program of the prefix (reg.exe ...) and returns its exit status.
DWORD RunProgram(const std::wstring& commandLine, std::string* output = nullptr);

// A scratch folder of the test, made empty: C:\tavelin-e2e\<name>.
std::string ScratchFolder(const std::string& name);
// `size` bytes of repeatable noise: the same seed gives the same bytes.
std::string RandomBytes(size_t size, unsigned seed);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The short (8.3) name the file system gives the file `path`, without its folder; empty if none.
std::string ShortNameOf(const std::string& path);
std::optional<std::string> ReadFileBytes(const std::string& path);

}  // namespace e2e
