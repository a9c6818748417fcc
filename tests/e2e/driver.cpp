#include "e2e/driver.h"

#include "common/handle_count_win.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace e2e {
namespace {

std::wstring& ToolPathStorage() {
  static std::wstring path;
  return path;
}

std::wstring& ArtifactStorage() {
  static std::wstring folder;
  return folder;
}

int& DensityStorage() {
  static int pixelsPerInch = 0;
  return pixelsPerInch;
}

struct Search {
  DWORD processId;
  const wchar_t* className;  // null: any
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
  if (search->className && ClassOf(window) != search->className) return TRUE;
  search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

}  // namespace

const std::wstring& ToolPath() { return ToolPathStorage(); }
void SetToolPath(std::wstring path) { ToolPathStorage() = std::move(path); }
const std::wstring& ArtifactFolder() { return ArtifactStorage(); }
void SetArtifactFolder(std::wstring folder) { ArtifactStorage() = std::move(folder); }
int ScreenDensity() { return DensityStorage(); }
void SetScreenDensity(int pixelsPerInch) { DensityStorage() = pixelsPerInch; }

std::wstring Widen(const std::string& cp1252) {
  if (cp1252.empty()) return {};
  const int length = MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(1252, 0, cp1252.data(), static_cast<int>(cp1252.size()), wide.data(), length);
  return wide;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                      nullptr);
  return narrow;
}

// --- The tool's process --------------------------------------------------------------------

Tool::Tool(const std::wstring& arguments, const std::wstring& folder, const std::wstring& program) {
  const std::wstring& path = program.empty() ? ToolPath() : program;
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // On a loaded machine Wine now and then fails to start a process with ERROR_INTERNAL_ERROR
  // (1359) and starts it at the next try; that says nothing about the tool.
  DWORD error = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
      error = 0;
      break;
    }
    error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR) break;
    Sleep(500);
  }
  if (error != 0) {
    ADD_FAILURE() << "cannot start the tool: error " << error;
    return;
  }
  process_ = info.hProcess;
  thread_ = info.hThread;
  processId_ = info.dwProcessId;
  threadId_ = info.dwThreadId;
}

Tool::~Tool() {
  if (process_) {
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, 99);
      WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
  }
  if (thread_) CloseHandle(thread_);
}

std::vector<HWND> Tool::TopLevelWindows(const wchar_t* className) const {
  Search search{processId_, className, false, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Tool::ApplicationWindow() const {
  const auto windows = TopLevelWindows(L"TApplication");
  return windows.size() == 1 ? windows.front() : nullptr;
}

HWND Tool::MainWindow(Duration timeout) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        Search search{processId_, L"TForm1", true, {}};
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
        found = search.found.empty() ? nullptr : search.found.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

std::vector<HWND> Tool::Dialogs() const {
  Search search{processId_, L"#32770", true, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Tool::WaitForDialog(Duration timeout) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        const auto dialogs = Dialogs();
        found = dialogs.empty() ? nullptr : dialogs.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

std::optional<DWORD> Tool::WaitForExit(Duration timeout) const {
  if (!process_) return std::nullopt;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

HWND Tool::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId_, &info) ? info.hwndFocus : nullptr;
}

HWND Tool::ActiveWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId_, &info) ? info.hwndActive : nullptr;
}

std::wstring Tool::CurrentDirectory() const {
  // The process parameters hold the current directory: PEB+0x20 points to them, and their
  // CurrentDirectory.DosPath is at +0x38 (x86-64 layout).
  using QueryInformation = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryInformation>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (!query || query(process_, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) return {};
  SIZE_T got = 0;
  void* parameters = nullptr;
  UNICODE_STRING directory{};
  if (!ReadProcessMemory(process_, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + 0x20,
                         &parameters, sizeof parameters, &got) ||
      !ReadProcessMemory(process_, static_cast<char*>(parameters) + 0x38, &directory, sizeof directory, &got)) {
    return {};
  }
  std::wstring text(directory.Length / sizeof(wchar_t), L'\0');
  if (!ReadProcessMemory(process_, directory.Buffer, text.data(), directory.Length, &got)) return {};
  // Stored with a trailing backslash; compare folders without it.
  if (text.size() > 3 && text.back() == L'\\') text.pop_back();
  return text;
}

void Tool::Settle() const {
  WaitForInputIdle(process_, 2000);
  if (HWND main = MainWindow(0ms)) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
  }
  Sleep(50);
}

// --- Windows -------------------------------------------------------------------------------

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 3000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 3000,
                      &copied);
  text.resize(copied);
  return text;
}

std::vector<ChildWindow> Children(HWND parent) {
  std::vector<HWND> handles;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&handles));
  std::vector<ChildWindow> children;
  for (HWND handle : handles) {
    if (GetParent(handle) != parent) continue;  // direct children only
    ChildWindow child;
    child.handle = handle;
    child.className = ClassOf(handle);
    child.text = TextOf(handle);
    GetWindowRect(handle, &child.rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&child.rect), 2);
    child.style = static_cast<LONG>(GetWindowLongPtrW(handle, GWL_STYLE));
    child.id = GetDlgCtrlID(handle);
    children.push_back(child);
  }
  return children;
}

std::optional<ChildWindow> FindChild(HWND parent, const std::wstring& className, const std::wstring& text) {
  for (const ChildWindow& child : Children(parent)) {
    if (_wcsicmp(child.className.c_str(), className.c_str()) == 0 && (text.empty() || child.text == text)) {
      return child;
    }
  }
  return std::nullopt;
}

ChildWindow Child(HWND parent, const std::wstring& className, const std::wstring& text) {
  auto child = FindChild(parent, className, text);
  if (!child) {
    ADD_FAILURE() << "no child " << Narrow(className) << " '" << Narrow(text) << "'";
    return {};
  }
  return *child;
}

HWND DescendantWithId(HWND parent, int id) {
  std::vector<HWND> handles;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&handles));
  for (HWND handle : handles) {
    if (GetDlgCtrlID(handle) == id) return handle;
  }
  return nullptr;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const LRESULT got =
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    items.push_back(text);
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.caption = TextOf(box);
  if (HWND text = GetDlgItem(box, 0xFFFF)) view.text = TextOf(text);
  if (HWND icon = GetDlgItem(box, 0x440)) view.hasIcon = IsWindowVisible(icon) != FALSE;
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
    HWND button = GetDlgItem(box, id);
    if (button && IsWindowVisible(button)) view.buttons.push_back(id);
  }
  // The button drawn as the default one, which Enter presses: Wine's box leaves DM_GETDEFID at
  // IDOK whatever the flags say, so the button's own style tells.
  for (int id : view.buttons) {
    if ((GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) view.defaultButton = id;
  }
  return view;
}

HWND WaitForDialogOtherThan(const Tool& tool, HWND other, Duration timeout) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND dialog : tool.Dialogs()) {
          if (dialog != other) found = dialog;
        }
        return found != nullptr;
      },
      timeout);
  return found;
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ClickButton(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool ClickButtonAndWait(HWND button, Duration timeout) {
  // A sent BM_CLICK returns once the button's parent has handled the BN_CLICKED it causes.
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &ignored) !=
         0;
}

void ClickLabel(HWND form, HWND label) {
  PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED), reinterpret_cast<LPARAM>(label));
}

bool QueryEndSession(const Tool& tool) {
  const auto windows = tool.TopLevelWindows(nullptr);
  bool agreed = !windows.empty();
  for (HWND window : windows) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer) ||
        answer == FALSE) {
      agreed = false;
    }
  }
  return agreed;
}

void EndSession(const Tool& tool, bool ending) {
  for (HWND window : tool.TopLevelWindows(nullptr)) {
    // A window whose process ends while it handles the message gives no answer.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_ENDSESSION, ending ? TRUE : FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000,
                        &ignored);
  }
}

bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return WaitFor([window] { return GetForegroundWindow() == window; }, 2000ms);
}

void PressKey(WORD virtualKey, bool alt, bool shift) {
  std::vector<INPUT> inputs;
  auto key = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (alt) key(VK_MENU, false);
  if (shift) key(VK_SHIFT, false);
  key(virtualKey, false);
  key(virtualKey, true);
  if (shift) key(VK_SHIFT, true);
  if (alt) key(VK_MENU, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(100);
}

void TypeIntoFileDialog(HWND dialog, const std::string& path) {
  HWND field = DescendantWithId(dialog, 0x47c);
  ASSERT_NE(field, nullptr) << "the file name field";
  HWND edit = FindWindowExW(field, nullptr, L"ComboBox", nullptr);
  edit = edit ? FindWindowExW(edit, nullptr, L"Edit", nullptr) : FindWindowExW(field, nullptr, L"Edit", nullptr);
  ASSERT_NE(edit, nullptr) << "the file name edit";
  const std::wstring text = Widen(path);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  PressDialogButton(dialog, IDOK);
}

void ChooseInFileDialog(const Tool& tool, HWND main, const std::string& path) {
  ASSERT_TRUE(BringToFront(main));
  PressKey('S', /*alt=*/true);
  HWND dialog = tool.WaitForDialog();
  ASSERT_NE(dialog, nullptr) << "the file dialog";
  TypeIntoFileDialog(dialog, path);
  const HWND damagedField = Child(main, L"Edit").handle;
  ASSERT_TRUE(WaitFor([&] { return !TextOf(damagedField).empty(); })) << "the choice of " << path;
  ASSERT_TRUE(WaitFor([&] { return tool.Dialogs().empty(); }));
}

void SelectEntry(HWND main, const std::string& entry) {
  const HWND list = Child(main, L"ComboBox").handle;
  const auto items = ComboItems(list);
  const auto at = std::find(items.begin(), items.end(), Widen(entry));
  ASSERT_NE(at, items.end()) << entry;
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at - items.begin()), 0);
}

int HandleCount(DWORD processId) { return test_support::ProcessHandleCount(processId); }

SIZE TextSize(const std::wstring& text, const wchar_t* face, int height, UINT format) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | format);
  SelectObject(dc, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void SaveScreenshot(HWND window, const std::wstring& name) {
  if (ArtifactFolder().empty()) return;
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(height);
  std::ofstream out(std::filesystem::path(ArtifactFolder() + L"\\" + name + L".bmp"), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride * static_cast<DWORD>(height)));
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// --- The client's registry data ------------------------------------------------------------

namespace client {

void Remove() { RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }

void SetValue(const std::string& key, const std::string& name, DWORD type, const std::string& data) {
  HKEY handle = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                            nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            ERROR_SUCCESS);
  RegCloseKey(handle);
}

void SetString(const std::string& key, const std::string& name, const std::string& text) {
  SetValue(key, name, REG_SZ, text + '\0');
}

void AddEntry(const std::string& name) {
  // Made below the opened list: Wine's A functions take no path beyond MAX_PATH characters, and
  // the path of an entry with a long name is longer.
  HKEY list = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kDownloadList, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &list,
                            nullptr),
            ERROR_SUCCESS);
  HKEY handle = nullptr;
  const LONG status =
      RegCreateKeyExA(list, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
  RegCloseKey(list);
  ASSERT_EQ(status, ERROR_SUCCESS) << name;
  RegCloseKey(handle);
}

std::string EntryKey(const std::string& name) { return std::string(kDownloadList) + "\\" + name; }

std::optional<Value> QueryValue(const std::string& key, const std::string& name) {
  HKEY handle = nullptr;
  // The W open takes key paths longer than MAX_PATH characters (see AddEntry).
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  Value value;
  DWORD size = 0;
  LONG result = RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (result == ERROR_SUCCESS) {
    value.data.resize(size);
    result = RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                              reinterpret_cast<BYTE*>(value.data.data()), &size);
    value.data.resize(size);
  }
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS) return std::nullopt;
  return value;
}

bool KeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

}  // namespace client

DWORD RunProgram(const std::wstring& commandLine, std::string* output) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  CreatePipe(&readEnd, &writeEnd, &inherit, 0);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &info)) {
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return static_cast<DWORD>(-1);
  }
  CloseHandle(writeEnd);
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(readEnd);
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  if (output) *output = text;
  return code;
}

// --- Files ---------------------------------------------------------------------------------

std::string ScratchFolder(const std::string& name) {
  CreateDirectoryA("C:\\tavelin-e2e", nullptr);
  const std::string folder = "C:\\tavelin-e2e\\" + name;
  RunProgram(L"cmd.exe /c rmdir /s /q \"" + Widen(folder) + L"\"");
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

std::string ShortNameOf(const std::string& path) {
  char shortPath[MAX_PATH] = {};
  if (GetShortPathNameA(path.c_str(), shortPath, MAX_PATH) == 0) return {};
  // The folder's part of the path may be shortened too.
  const std::string shortened(shortPath);
  return shortened.substr(shortened.find_last_of('\\') + 1);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace e2e
