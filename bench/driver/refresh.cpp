#include "driver/refresh.h"

#include <array>

#include "driver/client.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/program.h"

namespace bench {
namespace {

constexpr DWORD kFillTimeoutMs = 600000;
// Sorts after every numbered entry, so it joins the end of the list.
constexpr char kAddedEntry[] = "zz one more download.avi";

// A started program with a list and the button that refreshes it.
struct Lister {
  Program program;
  HWND window = nullptr;
  HWND list = nullptr;
  HWND refresh = nullptr;

  Lister(const std::wstring& path, const wchar_t* windowClass, const wchar_t* refreshText, int entries)
      : program(path) {
    WaitUntil(
        [&] {
          window = program.VisibleWindow(windowClass);
          list = window ? ChildOfClass(window, L"ComboBox") : nullptr;
          return list && ItemCount(list) == entries;
        },
        kFillTimeoutMs, "a window with its list filled");
    refresh = ChildOfClass(window, L"Button", refreshText);
    if (!refresh) throw BenchError("no Refresh button");
  }

  // Presses Refresh and waits for the list to hold `entries` items. While the program fills
  // its list it answers no message, so the count is read once the filling is over.
  double TimeRefresh(int entries) const {
    const Stopwatch clock;
    Click(refresh);
    WaitUntil([&] { return ItemCount(list) == entries; }, kFillTimeoutMs, "the refreshed list");
    return clock.ElapsedMs();
  }
};

}  // namespace

RefreshRuns MeasureRefresh(const Options& options, int entries, int runs) {
  const std::string size = std::to_string(entries);
  RefreshRuns result{{"tavelin " + size, {}}, {"bare loop " + size, {}}};
  Lister tool(options.tool, L"TForm1", L"&Refresh", entries - 1);
  Lister bare(options.bareRefresh, L"TavelinBareRefresh", L"Refresh", entries - 1);
  for (int run = 0; run < runs; ++run) {
    client::AddEntry(kAddedEntry);
    const bool toolFirst = run % 2 == 0;
    const std::array<std::pair<const Lister*, Series*>, 2> order{
        {{toolFirst ? &tool : &bare, toolFirst ? &result.tool : &result.bare},
         {toolFirst ? &bare : &tool, toolFirst ? &result.bare : &result.tool}}};
    for (const auto& [lister, series] : order) series->runs.push_back(lister->TimeRefresh(entries));
    client::RemoveEntry(kAddedEntry);
    for (const auto& [lister, series] : order) (void)lister->TimeRefresh(entries - 1);
  }
  tool.program.Close(tool.window);
  bare.program.Close(bare.window);
  return result;
}

}  // namespace bench
