#include "driver/resume.h"

#include <cstdint>
#include <fstream>
#include <string>

#include "driver/client.h"
#include "driver/clock.h"
#include "driver/controls.h"
#include "driver/program.h"

namespace bench {
namespace {

constexpr DWORD kStepTimeoutMs = 30000;
constexpr DWORD kCopyTimeoutMs = 300000;
constexpr int kFileNameField = 0x47c;  // the file dialog's ComboBoxEx32
constexpr std::uint64_t kResumeOverlap = 10240;

std::uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string MessageText(HWND box) { return Narrow(TextOf(GetDlgItem(box, 0xFFFF))); }

struct Paths {
  std::string damaged;
  std::string newFile;
  std::string bareCopy;
};

// Chooses the damaged file in the tool's real file dialog: its name typed in the folder the
// dialog opens in, the client's download folder.
void ChooseDamagedFile(const Program& tool, HWND main) {
  Click(ChildOfClass(main, L"Button", L"&Select file..."));
  HWND dialog = nullptr;
  WaitUntil([&] { return (dialog = tool.Dialog()) != nullptr; }, kStepTimeoutMs, "the file dialog");
  HWND field = nullptr;
  WaitUntil([&] { return (field = DescendantWithId(dialog, kFileNameField)) != nullptr; }, kStepTimeoutMs,
            "the file name field");
  HWND combo = FindWindowExW(field, nullptr, L"ComboBox", nullptr);
  HWND edit = FindWindowExW(combo ? combo : field, nullptr, L"Edit", nullptr);
  if (!edit) throw BenchError("no file name field in the file dialog");
  SetText(edit, Widen(kDamagedFile));
  PressDialogButton(dialog, IDOK);
  HWND damagedField = ChildOfClass(main, L"Edit");
  WaitUntil([&] { return !tool.Dialog() && !TextOf(damagedField).empty(); }, kStepTimeoutMs,
            "the chosen file");
}

double TimeTool(const Options& options, const Paths& paths, int entries, const std::string& offset) {
  client::RemoveOffset(kResumeEntry);
  // As a new connection fetches it: the download's first bytes, so that the tool has no cause to warn.
  {
    std::ifstream damaged(paths.damaged, std::ios::binary);
    std::string start(64 * 1024, '\0');
    damaged.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(damaged.gcount()));
    std::ofstream(paths.newFile, std::ios::binary | std::ios::trunc) << start;
  }

  Program tool(options.tool, Widen(options.data));
  HWND main = nullptr;
  HWND list = nullptr;
  WaitUntil(
      [&] {
        main = tool.VisibleWindow(L"TForm1");
        list = main ? ChildOfClass(main, L"ComboBox") : nullptr;
        return list && ItemCount(list) == entries;
      },
      kStepTimeoutMs, "the tool's window");
  ChooseDamagedFile(tool, main);
  if (!SelectItem(list, Widen(kResumeEntry))) throw BenchError("the entry is not in the list");
  Click(ChildOfClass(main, L"Button", L"Resume damaged file on new connection"));
  HWND box = nullptr;
  WaitUntil([&] { return (box = tool.Dialog()) != nullptr; }, kStepTimeoutMs, "the confirmation");
  if (TextOf(box) != L"Info") throw BenchError("the tool refused the resume: " + MessageText(box));

  const Stopwatch clock;
  PressDialogButton(box, IDOK);
  WaitUntil([&] { return client::Offset(kResumeEntry) == offset; }, kCopyTimeoutMs, "the Offset");
  const double elapsed = clock.ElapsedMs();

  if (HWND error = tool.Dialog()) throw BenchError("the tool showed: " + MessageText(error));
  tool.Close(main);
  if (FileSize(paths.newFile) != FileSize(paths.damaged)) throw BenchError("the tool's copy is incomplete");
  DeleteFileA(paths.newFile.c_str());
  return elapsed;
}

double TimeCopy(const Paths& paths) {
  const Stopwatch clock;
  if (!CopyFileA(paths.damaged.c_str(), paths.bareCopy.c_str(), FALSE)) {
    throw BenchError("CopyFileA failed: error " + std::to_string(GetLastError()));
  }
  const double elapsed = clock.ElapsedMs();
  DeleteFileA(paths.bareCopy.c_str());
  return elapsed;
}

}  // namespace

ResumeRuns MeasureResume(const Options& options, int entries) {
  const Paths paths{options.data + "\\" + kDamagedFile, options.data + "\\" + kResumeEntry,
                    options.data + "\\bare copy.avi"};
  const std::uint64_t size = FileSize(paths.damaged);
  if (size < kResumeOverlap) throw BenchError("no damaged file at " + paths.damaged);
  const std::string offset = std::to_string(size - kResumeOverlap);

  ResumeRuns runs{{"tavelin.exe", {}}, {"CopyFileA", {}}};
  // Every run reads the damaged file from the page cache, the first one too.
  (void)TimeCopy(paths);
  for (int run = 0; run < options.resumeRuns; ++run) {
    if (run % 2 == 0) {
      runs.tool.runs.push_back(TimeTool(options, paths, entries, offset));
      runs.copy.runs.push_back(TimeCopy(paths));
    } else {
      runs.copy.runs.push_back(TimeCopy(paths));
      runs.tool.runs.push_back(TimeTool(options, paths, entries, offset));
    }
  }
  client::RemoveOffset(kResumeEntry);
  return runs;
}

}  // namespace bench
