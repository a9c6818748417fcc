#include "driver/startup.h"

#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/program.h"

namespace bench {
namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr int kNoList = -1;

// The tool's list count is answered by its thread once it takes messages, after its window was
// shown and painted; the floor's window is ready by the same measure when its thread answers.
bool Answers(HWND window) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kStartTimeoutMs, &ignored) != 0;
}

// Starts `path` and times it until its window of `windowClass` is visible and answers: with
// `entries` items in its list, or (kNoList) at all.
double TimeStart(const std::wstring& path, const wchar_t* windowClass, int entries) {
  const Stopwatch clock;
  Program program(path);
  HWND window = nullptr;
  WaitUntil(
      [&] {
        window = program.VisibleWindow(windowClass);
        if (!window) return false;
        if (entries == kNoList) return Answers(window);
        HWND list = ChildOfClass(window, L"ComboBox");
        return list && ItemCount(list) == entries;
      },
      kStartTimeoutMs, "a window of the program started");
  const double elapsed = clock.ElapsedMs();
  program.Close(window);
  return elapsed;
}

}  // namespace

StartupRuns MeasureStartup(const Options& options, int entries) {
  StartupRuns runs{{"tavelin.exe", {}}, {"floor (empty window)", {}}, {"bare window", {}}};
  const auto tool = [&] { return TimeStart(options.tool, L"TForm1", entries); };
  const auto floor = [&] { return TimeStart(options.floor, L"TavelinFloor", kNoList); };
  const auto bareWindow = [&] { return TimeStart(options.bareWindow, L"TavelinBareWindow", entries); };
  // The first start of each loads its files from disk; the runs measure starts as a user sees
  // them after that.
  (void)tool();
  (void)floor();
  (void)bareWindow();
  for (int run = 0; run < options.startupRuns; ++run) {
    runs.tool.runs.push_back(tool());
    runs.floor.runs.push_back(floor());
    runs.bareWindow.runs.push_back(bareWindow());
  }
  return runs;
}

}  // namespace bench
