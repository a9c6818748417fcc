// The file seam, the same on the host's POSIX files and on Win32 under Wine: what the resume
// operation relies on from the delete, the copy over an existing file, the two size reads and
// the file identity. Each case works in a scratch folder of its own.

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "classlib/files/files.h"

namespace {

namespace fs = std::filesystem;
namespace files = classlib::files;

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SetReadOnly(const fs::path& path, bool readOnly) {
  fs::permissions(path, fs::perms::owner_write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

class FileSeam : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (auto& c : name) {
      if (c == '/') c = '-';
    }
    folder_ = fs::temp_directory_path() / ("tavelin-files-" + name);
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) SetReadOnly(entry.path(), false);
    fs::remove_all(folder_);
  }
  std::string At(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
};

TEST_F(FileSeam, RemoveFileDeletesAFileButNotAReadOnlyOneNorAFolder) {
  Write(At("plain"), "x");
  Write(At("locked"), "y");
  SetReadOnly(At("locked"), true);
  fs::create_directory(At("folder"));

  EXPECT_TRUE(files::RemoveFile(At("plain")));
  EXPECT_FALSE(fs::exists(At("plain")));
  EXPECT_FALSE(files::RemoveFile(At("plain")));
  EXPECT_FALSE(files::RemoveFile(At("locked")));
  EXPECT_EQ(Read(At("locked")), "y");
  EXPECT_FALSE(files::RemoveFile(At("folder")));
  EXPECT_TRUE(fs::is_directory(At("folder")));
}

TEST_F(FileSeam, CopyFileOverMakesOrReplacesTheTarget) {
  Write(At("old"), std::string(70000, 'o') + "end");
  Write(At("existing"), "earlier data");

  EXPECT_FALSE(files::CopyFileOver(At("old"), At("fresh")).has_value());
  EXPECT_FALSE(files::CopyFileOver(At("old"), At("existing")).has_value());

  EXPECT_EQ(Read(At("fresh")), Read(At("old")));
  EXPECT_EQ(Read(At("existing")), Read(At("old")));
}

struct FailedCopyCase {
  const char* label;
  void (*layout)(const fs::path& folder);  // makes "from" (or not) and "to"
  const char* from;
  const char* to;
  friend void PrintTo(const FailedCopyCase& c, std::ostream* out) { *out << c.label; }
};

const FailedCopyCase kFailedCopyCases[] = {
    {"ReadOnlyTarget",
     [](const fs::path& folder) {
       Write(folder / "from", "new data");
       Write(folder / "to", "kept");
       SetReadOnly(folder / "to", true);
     },
     "from", "to"},
    {"MissingSource", [](const fs::path& folder) { Write(folder / "to", "kept"); }, "from", "to"},
    {"FolderAsSource",
     [](const fs::path& folder) {
       fs::create_directory(folder / "from");
       Write(folder / "to", "kept");
     },
     "from", "to"},
    {"OntoItself", [](const fs::path& folder) { Write(folder / "to", "kept"); }, "to", "to"},
};

class FailedCopy : public FileSeam, public ::testing::WithParamInterface<FailedCopyCase> {};

TEST_P(FailedCopy, GivesTheSystemsReasonAndLeavesTheTargetAsItWas) {
  const auto& c = GetParam();
  c.layout(folder_);

  const auto error = files::CopyFileOver(At(c.from), At(c.to));

  ASSERT_TRUE(error.has_value());
  EXPECT_NE(error->code, 0u);
  ASSERT_FALSE(error->reason.empty());
  EXPECT_NE(error->reason.back(), '\n');
  EXPECT_EQ(Read(At("to")), "kept");
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedCopy, ::testing::ValuesIn(kFailedCopyCases),
                         [](const auto& tested) { return std::string(tested.param.label); });

TEST_F(FileSeam, SizesAreReadWholeAndAMissingFileHasNone) {
  Write(At("empty"), "");
  Write(At("some"), std::string(10241, 's'));
  // Beyond 32 bits: the high part of the size must not be lost. Sparse where the system allows.
  Write(At("large"), "");
  fs::resize_file(At("large"), 4'294'977'537);
  fs::create_directory(At("folder"));

  EXPECT_EQ(files::FindFileSize(At("missing")), std::nullopt);
  EXPECT_EQ(files::FindFileSize(At("empty")), 0u);
  EXPECT_EQ(files::FindFileSize(At("some")), 10241u);
  EXPECT_EQ(files::FindFileSize(At("large")), 4'294'977'537u);

  EXPECT_EQ(files::HoldForCopy(At("empty")).file.Size(), 0u);
  EXPECT_EQ(files::HoldForCopy(At("some")).file.Size(), 10241u);
  EXPECT_EQ(files::HoldForCopy(At("large")).file.Size(), 4'294'977'537u);
  for (const auto& [name, failure] : {std::pair{"missing", files::HoldFailure::kMissing},
                                      std::pair{"folder", files::HoldFailure::kNotAFile}}) {
    SCOPED_TRACE(name);
    const auto hold = files::HoldForCopy(At(name));
    EXPECT_FALSE(hold.file);
    EXPECT_EQ(hold.failure, failure);
    EXPECT_NE(hold.error.code, 0u);
    EXPECT_FALSE(hold.error.reason.empty());
  }
}

// Another program's handle that may write the file, as a download client keeps one.
class Writer {
public:
  explicit Writer(const fs::path& path) {
#ifdef _WIN32
    handle_ = CreateFileA(path.string().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
#else
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    EXPECT_GE(fd_, 0);
#endif
  }
  ~Writer() {
#ifdef _WIN32
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
#else
    if (fd_ >= 0) ::close(fd_);
#endif
  }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

private:
#ifdef _WIN32
  HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
  int fd_ = -1;
#endif
};

// While the old file is held for the copy, nobody may write, rename or delete it under any of
// its names, while it can still be read and copied.
TEST_F(FileSeam, AHeldFileCanBeReadAndCopiedButNotDeletedOrOverwritten) {
  Write(At("old.part"), "damaged data");
  Write(At("other"), "other data");
  fs::create_hard_link(At("old.part"), At("second name"));
  const auto identity = files::IdentityOf(At("old.part"));

  {
    const auto hold = files::HoldForCopy(At("old.part"));
    ASSERT_TRUE(hold.file) << hold.error.reason;
    EXPECT_EQ(hold.failure, files::HoldFailure::kNone);
    EXPECT_EQ(hold.file.Identity(), identity);
    EXPECT_EQ(hold.file.Size(), 12u);

    EXPECT_TRUE(files::HoldForCopy(At("old.part")).file) << "others may read it too";
    EXPECT_FALSE(files::CopyFileOver(At("old.part"), At("copy")).has_value());
    EXPECT_EQ(Read(At("copy")), "damaged data");

    EXPECT_FALSE(files::RemoveFile(At("old.part")));
    EXPECT_FALSE(files::RemoveFile(At("second name")));
    EXPECT_TRUE(files::CopyFileOver(At("other"), At("old.part")).has_value());
    EXPECT_TRUE(files::CopyFileOver(At("other"), At("second name")).has_value());
#ifdef _WIN32
    EXPECT_FALSE(MoveFileA(At("old.part").c_str(), At("renamed").c_str()));
    EXPECT_FALSE(MoveFileExA(At("other").c_str(), At("old.part").c_str(), MOVEFILE_REPLACE_EXISTING));
    HANDLE writer = CreateFileA(At("old.part").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
#endif
    EXPECT_EQ(Read(At("old.part")), "damaged data");
  }

  EXPECT_TRUE(files::RemoveFile(At("second name"))) << "released with the hold";
}

TEST_F(FileSeam, AFileThatAnotherProgramHasOpenToWriteCannotBeHeld) {
  Write(At("old.part"), "still being written");
  {
    Writer client(At("old.part"));
    const auto hold = files::HoldForCopy(At("old.part"));
    EXPECT_FALSE(hold.file);
    EXPECT_EQ(hold.failure, files::HoldFailure::kInUse);
  }
  EXPECT_TRUE(files::HoldForCopy(At("old.part")).file) << "once the writer closed it";
}

// A second name of a file (on Windows its generated short name) is told from the file's own
// name in any case; the host has no second names.
TEST_F(FileSeam, OtherNameOfGivesTheListedNameOnlyForASecondName) {
  Write(At("holiday video from a peer.avi"), "data");

  EXPECT_EQ(files::OtherNameOf(At("holiday video from a peer.avi")), std::nullopt);
  EXPECT_EQ(files::OtherNameOf(At("missing.avi")), std::nullopt);
#ifdef _WIN32
  EXPECT_EQ(files::OtherNameOf(At("HOLIDAY Video From A Peer.AVI")), std::nullopt) << "case aside";
  char shortPath[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(At("holiday video from a peer.avi").c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortPath), At("holiday video from a peer.avi"));
  EXPECT_EQ(files::OtherNameOf(shortPath), "holiday video from a peer.avi");
#endif
}

TEST_F(FileSeam, IdentityIsTheFilesWhateverPathNamesIt) {
  fs::create_directory(At("sub"));
  Write(At("song.mp3"), "data");
  Write(At("other.mp3"), "data");
  fs::create_hard_link(At("song.mp3"), At("hard link.mp3"));

  const auto identity = files::IdentityOf(At("song.mp3"));
  ASSERT_NE(identity, std::nullopt);
  EXPECT_EQ(files::IdentityOf((folder_ / "sub" / ".." / "." / "song.mp3").string()), identity);
  EXPECT_EQ(files::IdentityOf(At("hard link.mp3")), identity);
#ifdef _WIN32
  EXPECT_EQ(files::IdentityOf(At("SONG.MP3")), identity);
#endif
  EXPECT_NE(files::IdentityOf(At("other.mp3")), identity);
  EXPECT_EQ(files::IdentityOf(At("missing.mp3")), std::nullopt);

  // A bare name is taken from the current directory.
  const std::string before = files::WorkingDirectory();
  ASSERT_TRUE(files::ChangeWorkingDirectory(folder_.string()));
  EXPECT_EQ(files::IdentityOf("song.mp3"), identity);
  EXPECT_EQ(files::FindFileSize("song.mp3"), 4u);
  ASSERT_TRUE(files::ChangeWorkingDirectory(before));
}

}  // namespace
