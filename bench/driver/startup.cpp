#include "driver/startup.h"

#include <cstdlib>
#include <string>

#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/density.h"
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

struct Start {
  double ms = 0;
  int clientWidth = 0;
};

// Starts `path` and times it until its window of `windowClass` is visible and answers: with
// `entries` items in its list, or (kNoList) at all.
Start TimeStart(const std::wstring& path, const wchar_t* windowClass, int entries) {
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
  RECT client{};
  GetClientRect(window, &client);
  program.Close(window);
  return {elapsed, client.right};
}

}  // namespace

StartupRuns MeasureStartup(const Options& options, int entries, int pixelsPerInch) {
  // Appended rather than added up: GCC 12 warns of a false overlap in a chain of std::string +.
  std::string at = " at ";
  at.append(std::to_string(pixelsPerInch)).append(" dpi");
  StartupRuns runs{{"tavelin.exe", {}}, {"floor", {}}, {"bare window", {}}};
  for (Series* series : {&runs.tool, &runs.floor, &runs.bareWindow}) series->name.append(at);
  const auto tool = [&] { return TimeStart(options.tool, L"TForm1", entries); };
  const auto floor = [&] { return TimeStart(options.floor, L"TavelinFloor", kNoList); };
  const auto bareWindow = [&] { return TimeStart(options.bareWindow, L"TavelinBareWindow", entries); };
  SetScreenDensity(pixelsPerInch);
  // The first start of each loads its files from disk (and the first at a new density has Wine
  // register its fonts for it); the runs measure starts as a user sees them after that.
  runs.toolWidth = tool().clientWidth;
  (void)floor();
  runs.bareWidth = bareWindow().clientWidth;
  if (std::abs(runs.toolWidth - runs.bareWidth) > 1) {
    std::string what = "the tool's window and the bare one are not made at the same density";
    what.append(at).append(": ").append(std::to_string(runs.toolWidth)).append(" and ");
    throw BenchError(what.append(std::to_string(runs.bareWidth)).append(" pixels wide"));
  }
  for (int run = 0; run < options.startupRuns; ++run) {
    runs.tool.runs.push_back(tool().ms);
    runs.floor.runs.push_back(floor().ms);
    runs.bareWindow.runs.push_back(bareWindow().ms);
  }
  return runs;
}

}  // namespace bench
