#pragma once
// A Windows program the driver starts in the prefix (the tool, the floor, the bare refresh),
// and the windows it shows.

#include <windows.h>

#include <string>

namespace bench {

class Program {
public:
  // Starts `path` with `folder` as its current directory (empty: the driver's). Raises
  // BenchError when it cannot be started.
  explicit Program(const std::wstring& path, const std::wstring& folder = L"");
  ~Program();  // ends it, if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Its visible top-level window of that class, or null.
  HWND VisibleWindow(const wchar_t* className) const;
  // Its visible dialog (a message box or a file dialog), or null.
  HWND Dialog() const { return VisibleWindow(L"#32770"); }

  // Closes `window` as the user would and waits for the program to end; ends it by force if
  // it does not. The next measurement starts with no part of this one still running.
  void Close(HWND window);

private:
  PROCESS_INFORMATION info_{};
};

}  // namespace bench
