// A copy that breaks off halfway, as on a full disk, through the real window on the host seam:
// the process's file size limit stops the copy's writes partway (EFBIG instead of ENOSPC, the
// same break for the copy), on any machine and without mounting anything. The end-to-end test
// shows the same on a real full drive under Wine where the machine allows one.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "repair_fixture.h"

namespace repair_test {
namespace {

// While it lives, no file of the process grows beyond `bytes`: a write across the limit fails
// with EFBIG (the signal the kernel would send for it is ignored).
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Active() const { return active_; }

private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
  bool active_ = false;
};

class ResumeOntoAFullDisk : public RepairFixture {};

TEST_F(ResumeOntoAFullDisk, IsReportedLeavesNoPartialCopyAndWritesNoOffset) {
  constexpr rlim_t kRoom = 48 * 1024;
  AddEntry("song.mp3");
  SetOffset("song.mp3", "123");
  const fs::path damagedFile = Downloads() / "old download.part";
  const std::string oldBytes = Content(200000, 7);
  WriteFile(damagedFile, oldBytes);
  WriteFile(Downloads() / "song.mp3", Content(3000, 9));
  Refresh();
  ChooseDamagedFile(damagedFile);

  bool limited = false;
  {
    std::unique_ptr<FileSizeLimit> full;
    // The disk fills up once the user has said OK, before the file steps.
    Resume(classlib::mb::kIdOk, [&] {
      full = std::make_unique<FileSizeLimit>(kRoom);
      limited = full->Active();
    });
  }
  ASSERT_TRUE(limited) << "the file size limit could not be set";

  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1], ErrorBox("The old file \"" + damagedFile.string() +
                                 "\" could not be copied to the new file \"song.mp3\": " + std::strerror(EFBIG) +
                                 ". The offset was not written."));
  EXPECT_FALSE(fs::exists(Downloads() / "song.mp3")) << "a partial copy bears the new file's name";
  EXPECT_EQ(OffsetOf("song.mp3"), "123");
  EXPECT_EQ(ReadFile(damagedFile), oldBytes);
  EXPECT_EQ(TreeSnapshot(Downloads()).size(), 1u) << "nothing else was left in the folder";

  // Once there is room again, the same resume goes through.
  Resume();
  EXPECT_EQ(ReadFile(Downloads() / "song.mp3"), oldBytes);
  EXPECT_EQ(OffsetOf("song.mp3"), std::to_string(200000 - 10240));
}

}  // namespace
}  // namespace repair_test
