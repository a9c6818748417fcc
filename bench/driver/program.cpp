#include "driver/program.h"

#include "driver/clock.h"

namespace bench {

Program::Program(const std::wstring& path, const std::wstring& folder) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
    throw BenchError("cannot start a program: error " + std::to_string(GetLastError()));
  }
}

Program::~Program() {
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

HWND Program::VisibleWindow(const wchar_t* className) const {
  // One class-filtered search per step: lighter on the wineserver than enumerating every window
  // while the program being timed starts.
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == info_.dwProcessId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void Program::Close(HWND window) {
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info_.hProcess, 10000) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 10000);
  }
}

}  // namespace bench
