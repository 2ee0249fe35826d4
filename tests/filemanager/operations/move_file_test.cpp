// MoveFile on real files: a rename within one file system, a flushed copy and removal
// across two, and in both cases nothing replaced, nothing lost.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "filemanager/operations/file_operations.h"
#include "test_files.h"

namespace {

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

}  // namespace
