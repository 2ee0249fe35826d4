// MoveFile on real files: a rename within one file system, a flushed copy and removal
// across two, and in both cases nothing replaced, nothing lost.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "filemanager/operations/file_operations.h"
#include "test_files.h"

namespace {

using filemanager::CopyFile;
using filemanager::MoveFile;
using testing::ElementsAre;
using testing_files::Exists;
using testing_files::LStatusOf;
using testing_files::PatternBytes;
using testing_files::ReadFile;
using testing_files::RecordingMonitor;
using testing_files::StatusOf;
using testing_files::TempFolder;
using testing_files::WriteFile;

std::string MoveError(const std::string& from, const std::string& to,
                      RecordingMonitor monitor = {}) {
  try {
    MoveFile(from, to, monitor);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

std::string LinkTarget(const std::string& path) {
  char target[256];
  const ssize_t length = readlink(path.c_str(), target, sizeof target);
  return length < 0 ? "" : std::string(target, length);
}

class MoveWithinTest : public testing::Test {
 protected:
  TempFolder from_;
  TempFolder to_;
};

TEST_F(MoveWithinTest, IsARenameOfTheSameFile) {
  WriteFile(from_ / "f", "contents");
  const ino_t inode = StatusOf(from_ / "f").st_ino;
  EXPECT_EQ(MoveError(from_ / "f", to_ / "f"), "");
  EXPECT_FALSE(Exists(from_ / "f"));
  EXPECT_EQ(StatusOf(to_ / "f").st_ino, inode);
  EXPECT_EQ(ReadFile(to_ / "f"), "contents");
}

TEST_F(MoveWithinTest, ExistingDestinationIsNeverReplaced) {
  WriteFile(from_ / "f", "mine");
  WriteFile(to_ / "f", "theirs");
  EXPECT_EQ(MoveError(from_ / "f", to_ / "f"), "File already exists");
  EXPECT_EQ(ReadFile(from_ / "f"), "mine");
  EXPECT_EQ(ReadFile(to_ / "f"), "theirs");
}

TEST_F(MoveWithinTest, OntoItselfIsRefusedInEverySpelling) {
  WriteFile(from_ / "f", "contents");
  ASSERT_EQ(link((from_ / "f").c_str(), (from_ / "hard").c_str()), 0);
  ASSERT_EQ(symlink("f", (from_ / "link").c_str()), 0);
  const std::string same = "Source and destination are the same file";
  EXPECT_EQ(MoveError(from_ / "f", from_ / "f"), same);
  EXPECT_EQ(MoveError(from_ / "f", from_.path() + "/./f"), same);
  EXPECT_EQ(MoveError(from_ / "f", from_ / "hard"), same);
  EXPECT_EQ(MoveError(from_ / "f", from_ / "link"), same);
  EXPECT_EQ(MoveError(from_ / "link", from_ / "f"), same);
  EXPECT_THAT(from_.Names(), ElementsAre("f", "hard", "link"));
  EXPECT_EQ(ReadFile(from_ / "f"), "contents");
  EXPECT_EQ(StatusOf(from_ / "f").st_nlink, 2u);
}

TEST_F(MoveWithinTest, SymbolicLinkMovesAsTheLinkItself) {
  WriteFile(from_ / "target", "stays");
  ASSERT_EQ(symlink("/some/where", (from_ / "absolute").c_str()), 0);
  EXPECT_EQ(MoveError(from_ / "absolute", to_ / "absolute"), "");
  EXPECT_TRUE(S_ISLNK(LStatusOf(to_ / "absolute").st_mode));
  EXPECT_EQ(LinkTarget(to_ / "absolute"), "/some/where");
  EXPECT_THAT(from_.Names(), ElementsAre("target"));
}

TEST_F(MoveWithinTest, NamedPipeIsRenamed) {
  ASSERT_EQ(mkfifo((from_ / "pipe").c_str(), 0600), 0);
  const ino_t inode = LStatusOf(from_ / "pipe").st_ino;
  EXPECT_EQ(MoveError(from_ / "pipe", to_ / "pipe"), "");
  EXPECT_TRUE(S_ISFIFO(LStatusOf(to_ / "pipe").st_mode));
  EXPECT_EQ(LStatusOf(to_ / "pipe").st_ino, inode);
  EXPECT_FALSE(Exists(from_ / "pipe"));
}

TEST_F(MoveWithinTest, FoldersAndMissingFilesAreRefused) {
  ASSERT_EQ(mkdir((from_ / "sub").c_str(), 0755), 0);
  EXPECT_EQ(MoveError(from_ / "sub", to_ / "sub"), "Is a folder, not a file");
  EXPECT_EQ(MoveError(from_ / "missing", to_ / "missing"), "The file does not exist");
  EXPECT_TRUE(to_.Names().empty());
}

TEST_F(MoveWithinTest, NameThatIsNotUtf8IsMovedUnderItsOwnBytes) {
  const std::string odd = "\x80\xfe name";
  WriteFile(from_ / odd, "odd");
  EXPECT_EQ(MoveError(from_ / odd, to_ / odd), "");
  EXPECT_EQ(ReadFile(to_ / odd), "odd");
  EXPECT_TRUE(from_.Names().empty());
}

// Moves between the build folder's file system and another one.
class MoveAcrossTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string why_not;
    const std::string base = testing_files::OtherFileSystemBase(why_not);
    if (base.empty()) GTEST_SKIP() << why_not;
    to_ = std::make_unique<TempFolder>(base);
  }

  TempFolder from_;
  std::unique_ptr<TempFolder> to_;
};

TEST_F(MoveAcrossTest, CopiesWithModeAndTimesThenRemovesTheSource) {
  const std::string bytes = PatternBytes(20u << 20);
  WriteFile(from_ / "f", bytes, 0751);
  const struct timespec times[2] = {{1000, 0}, {1600000000, 42}};
  ASSERT_EQ(utimensat(AT_FDCWD, (from_ / "f").c_str(), times, 0), 0);
  RecordingMonitor monitor;

  MoveFile(from_ / "f", *to_ / "f", monitor);

  EXPECT_FALSE(Exists(from_ / "f"));
  EXPECT_EQ(ReadFile(*to_ / "f"), bytes);
  const struct stat moved = StatusOf(*to_ / "f");
  EXPECT_EQ(moved.st_mode & 07777, 0751u);
  EXPECT_EQ(moved.st_mtim.tv_sec, 1600000000);
  EXPECT_EQ(moved.st_mtim.tv_nsec, 42);
  ASSERT_FALSE(monitor.calls.empty());
  EXPECT_EQ(monitor.calls.back().first, bytes.size());
}

TEST_F(MoveAcrossTest, KeepsExtendedAttributes) {
  WriteFile(from_ / "f", "tagged");
  const std::string value = "a note kept with the file";
  if (setxattr((from_ / "f").c_str(), "user.tavvel-test", value.data(), value.size(), 0) != 0) {
    GTEST_SKIP() << "the build folder's file system takes no user attributes";
  }
  if (setxattr(to_->path().c_str(), "user.tavvel-test", "x", 1, 0) != 0) {
    GTEST_SKIP() << "the other file system takes no user attributes";
  }
  EXPECT_EQ(MoveError(from_ / "f", *to_ / "f"), "");
  char kept[64] = {};
  const ssize_t length = getxattr((*to_ / "f").c_str(), "user.tavvel-test", kept, sizeof kept);
  ASSERT_GE(length, 0) << std::strerror(errno);
  EXPECT_EQ(std::string(kept, length), value);
}

TEST_F(MoveAcrossTest, ExistingOrAppearingDestinationKeepsBothFiles) {
  WriteFile(from_ / "f", PatternBytes(20u << 20));
  WriteFile(*to_ / "f", "theirs");
  EXPECT_EQ(MoveError(from_ / "f", *to_ / "f"), "File already exists");
  ASSERT_EQ(unlink((*to_ / "f").c_str()), 0);

  RecordingMonitor monitor;
  monitor.on_progress = [&] {
    if (!Exists(*to_ / "f")) WriteFile(*to_ / "f", "came first");
  };
  EXPECT_EQ(MoveError(from_ / "f", *to_ / "f", monitor), "File already exists");
  EXPECT_EQ(ReadFile(*to_ / "f"), "came first");
  EXPECT_EQ(ReadFile(from_ / "f").size(), 20u << 20);
  EXPECT_THAT(to_->Names(), ElementsAre("f"));
}

TEST_F(MoveAcrossTest, CancelKeepsTheSourceAndLeavesNoCopy) {
  const std::string bytes = PatternBytes(30u << 20);
  WriteFile(from_ / "f", bytes);
  RecordingMonitor monitor;
  monitor.cancel_at_call = 1;
  EXPECT_EQ(MoveError(from_ / "f", *to_ / "f", monitor), "Operation cancelled");
  EXPECT_EQ(ReadFile(from_ / "f"), bytes);
  EXPECT_TRUE(to_->Names().empty());
}

TEST_F(MoveAcrossTest, SourceThatCannotBeRemovedTakesTheCopyBack) {
  WriteFile(from_ / "f", "only once");
  const std::string why_not = testing_files::LockFolder(from_.path(), true);
  if (!why_not.empty()) GTEST_SKIP() << why_not;
  const std::string error = MoveError(from_ / "f", *to_ / "f");
  testing_files::LockFolder(from_.path(), false);
  EXPECT_EQ(error, "Permission denied");
  EXPECT_EQ(ReadFile(from_ / "f"), "only once");
  EXPECT_TRUE(to_->Names().empty());
}

TEST_F(MoveAcrossTest, FullDiskKeepsTheSourceAndLeavesNoCopy) {
  testing_files::SmallFileSystem small("1m");
  if (!small.mounted()) GTEST_SKIP() << small.reason();
  const std::string bytes = PatternBytes(3u << 20);
  WriteFile(from_ / "f", bytes);
  EXPECT_EQ(MoveError(from_ / "f", small.path() + "/f"), "No space left on the device");
  EXPECT_EQ(ReadFile(from_ / "f"), bytes);
  EXPECT_FALSE(Exists(small.path() + "/f"));
}

TEST_F(MoveAcrossTest, SymbolicLinkAndNamedPipeAreMadeAnewThere) {
  ASSERT_EQ(symlink("../relative/target", (from_ / "link").c_str()), 0);
  ASSERT_EQ(mkfifo((from_ / "pipe").c_str(), 0640), 0);

  EXPECT_EQ(MoveError(from_ / "link", *to_ / "link"), "");
  EXPECT_EQ(MoveError(from_ / "pipe", *to_ / "pipe"), "");

  EXPECT_TRUE(from_.Names().empty());
  EXPECT_EQ(LinkTarget(*to_ / "link"), "../relative/target");
  const struct stat pipe = LStatusOf(*to_ / "pipe");
  EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
  EXPECT_EQ(pipe.st_mode & 07777, 0640u);
}

TEST_F(MoveAcrossTest, SymbolicLinkThatCannotBeRemovedIsNotDoubled) {
  ASSERT_EQ(symlink("target", (from_ / "link").c_str()), 0);
  const std::string why_not = testing_files::LockFolder(from_.path(), true);
  if (!why_not.empty()) GTEST_SKIP() << why_not;
  const std::string error = MoveError(from_ / "link", *to_ / "link");
  testing_files::LockFolder(from_.path(), false);
  EXPECT_EQ(error, "Permission denied");
  EXPECT_EQ(LinkTarget(from_ / "link"), "target");
  EXPECT_TRUE(to_->Names().empty());
}

// Another program changes the source while it is being copied: a second process, set
// going once the first 8 MiB of 24 MiB are copied, writes through its own descriptor.
enum class Change { kAppend, kTruncate, kEditInPlace, kRemove };

struct ChangeCase {
  const char* name;
  bool move;
  Change change;
  const char* error;  // "" for success
};

void PrintTo(const ChangeCase& row, std::ostream* out) { *out << row.name; }

class SourceChangedMeanwhileTest : public MoveAcrossTest,
                                   public testing::WithParamInterface<ChangeCase> {
 protected:
  // Forks the process that makes the change once told to through the pipe.
  pid_t StartChanger(const std::string& path, int (&go)[2]) {
    EXPECT_EQ(pipe(go), 0);
    const pid_t child = fork();
    if (child != 0) return child;
    char byte;
    if (read(go[0], &byte, 1) != 1) _exit(1);
    int fd = -1;
    switch (GetParam().change) {
      case Change::kAppend:
        fd = open(path.c_str(), O_WRONLY | O_APPEND);
        _exit(write(fd, "13 more bytes", 13) == 13 ? 0 : 1);
      case Change::kTruncate:
        _exit(truncate(path.c_str(), kOneMiB) == 0 ? 0 : 1);
      case Change::kEditInPlace:
        fd = open(path.c_str(), O_WRONLY);
        _exit(pwrite(fd, "edited", 6, kOneMiB) == 6 ? 0 : 1);
      case Change::kRemove:
        _exit(unlink(path.c_str()) == 0 ? 0 : 1);
    }
    _exit(1);
  }

  static constexpr off_t kOneMiB = 1 << 20;
};

TEST_P(SourceChangedMeanwhileTest, KeepsTheFileAsTheOtherProgramLeftItAndNoStaleCopy) {
  const ChangeCase& row = GetParam();
  const std::string bytes = PatternBytes(24u << 20);
  WriteFile(from_ / "f", bytes);
  // An old modification time, as most files have, so that an edit shows in the times
  // whatever the granularity of the system's clock.
  const struct timespec times[2] = {{1000, 0}, {1600000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, (from_ / "f").c_str(), times, 0), 0);
  std::string source_after = bytes;
  switch (row.change) {
    case Change::kAppend:
      source_after += "13 more bytes";
      break;
    case Change::kTruncate:
      source_after.resize(kOneMiB);
      break;
    case Change::kEditInPlace:
      source_after.replace(kOneMiB, 6, "edited");
      break;
    case Change::kRemove:
      source_after.clear();
      break;
  }

  int go[2];
  const pid_t changer = StartChanger(from_ / "f", go);
  ASSERT_GT(changer, 0);
  int changer_status = -1;
  RecordingMonitor monitor;
  monitor.on_progress = [&] {
    if (changer_status != -1 || monitor.calls.back().first < (8u << 20)) return;
    EXPECT_EQ(write(go[1], "x", 1), 1);
    waitpid(changer, &changer_status, 0);
  };
  std::string error;
  try {
    if (row.move) {
      MoveFile(from_ / "f", *to_ / "f", monitor);
    } else {
      CopyFile(from_ / "f", *to_ / "f", monitor);
    }
  } catch (const std::exception& raised) {
    error = raised.what();
  }
  if (changer_status == -1) {
    kill(changer, SIGKILL);
    waitpid(changer, nullptr, 0);
    FAIL() << "the copy never reached 8 MiB";
  }
  close(go[0]);
  close(go[1]);
  ASSERT_TRUE(WIFEXITED(changer_status) && WEXITSTATUS(changer_status) == 0);

  EXPECT_EQ(error, row.error);
  if (row.change == Change::kRemove) {
    EXPECT_FALSE(Exists(from_ / "f"));
    // The copy, now the only one, is whole.
    EXPECT_TRUE(ReadFile(*to_ / "f") == bytes);
  } else {
    EXPECT_TRUE(ReadFile(from_ / "f") == source_after) << "the source was not left as it was";
    EXPECT_TRUE(to_->Names().empty()) << "a copy of a file that changed meanwhile was kept";
  }
}

constexpr char kChanged[] = "The file was changed by another program meanwhile";
const ChangeCase kChangeCases[] = {
    {"MoveAppended", true, Change::kAppend, kChanged},
    {"MoveTruncated", true, Change::kTruncate, kChanged},
    {"MoveEditedInPlace", true, Change::kEditInPlace, kChanged},
    {"MoveRemoved", true, Change::kRemove, ""},
    {"CopyAppended", false, Change::kAppend, kChanged},
    {"CopyEditedInPlace", false, Change::kEditInPlace, kChanged},
};
INSTANTIATE_TEST_SUITE_P(Changes, SourceChangedMeanwhileTest, testing::ValuesIn(kChangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
