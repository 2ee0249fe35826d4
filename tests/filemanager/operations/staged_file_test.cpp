// The staged file that copies are written to: invisible or removed until committed,
// and committed without replacing anything, in both its forms; and the renames without
// replacing that file systems lacking RENAME_NOREPLACE fall back on.
#include "filemanager/operations/staged_file.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "filemanager/lists/folder_listing.h"
#include "test_files.h"

namespace {

using filemanager::StagedFile;
using testing::ElementsAre;
using testing_files::ReadFile;
using testing_files::TempFolder;
using testing_files::WriteFile;

class StagedFileTest : public testing::TestWithParam<StagedFile::Method> {
 protected:
  void SetUp() override {
    folder_fd_ = open(folder_.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder_fd_, 0);
  }
  void TearDown() override { close(folder_fd_); }

  static void Write(const StagedFile& staged, const std::string& text) {
    ASSERT_EQ(write(staged.fd(), text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  TempFolder folder_;
  int folder_fd_ = -1;
};

TEST_P(StagedFileTest, VanishesUnlessCommitted) {
  {
    StagedFile staged(folder_fd_, GetParam());
    Write(staged, "partial");
  }
  EXPECT_TRUE(folder_.Names().empty());
}

TEST_P(StagedFileTest, CommitPutsTheWholeFileInPlace) {
  {
    StagedFile staged(folder_fd_, GetParam());
    Write(staged, "complete");
    staged.Commit("name");
  }
  EXPECT_THAT(folder_.Names(), ElementsAre("name"));
  EXPECT_EQ(ReadFile(folder_ / "name"), "complete");
}

TEST_P(StagedFileTest, CommitRefusesATakenName) {
  WriteFile(folder_ / "name", "first");
  {
    StagedFile staged(folder_fd_, GetParam());
    Write(staged, "second");
    try {
      staged.Commit("name");
      ADD_FAILURE() << "the commit replaced an existing file";
    } catch (const std::exception& error) {
      EXPECT_STREQ(error.what(), "File already exists");
    }
  }
  EXPECT_THAT(folder_.Names(), ElementsAre("name"));
  EXPECT_EQ(ReadFile(folder_ / "name"), "first");
}

TEST_P(StagedFileTest, WithdrawRemovesOnlyItsOwnFile) {
  StagedFile staged(folder_fd_, GetParam());
  staged.Commit("name");
  staged.Withdraw();
  EXPECT_TRUE(folder_.Names().empty());

  StagedFile replaced(folder_fd_, GetParam());
  replaced.Commit("name");
  ASSERT_EQ(unlink((folder_ / "name").c_str()), 0);
  WriteFile(folder_ / "name", "someone else's");
  replaced.Withdraw();
  EXPECT_EQ(ReadFile(folder_ / "name"), "someone else's");
}

// A hidden staging file left by a process killed mid-copy (as on FAT, which has no
// unnamed files) is never listed, and goes when its folder is listed or written to; one
// still being written stays.
TEST(StagingLeftoverTest, GoesWhenItsFolderIsListedOrWrittenToAndIsNeverListed) {
  TempFolder folder;
  const int folder_fd = open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder_fd, 0);
  auto killed_mid_copy = [&] {
    const pid_t child = fork();
    if (child == 0) {
      StagedFile staged(folder_fd, StagedFile::Method::kHiddenName);
      if (write(staged.fd(), "partial", 7) == 7) raise(SIGKILL);
      _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status);
  };
  StagedFile live(folder_fd, StagedFile::Method::kHiddenName);
  ASSERT_TRUE(killed_mid_copy());
  ASSERT_EQ(folder.Names().size(), 2u);

  filemanager::FolderReader reader(folder.path(), filemanager::EntryKind::kFiles);
  reader.ReadSome(100);
  EXPECT_EQ(reader.TakeSorted().size(), 0u);
  EXPECT_EQ(folder.Names().size(), 1u) << "the leftover was not removed by listing";

  ASSERT_TRUE(killed_mid_copy());
  { StagedFile next(folder_fd, StagedFile::Method::kHiddenName); }
  EXPECT_EQ(folder.Names().size(), 1u) << "the leftover was not removed by writing there";
  live.Commit("done");
  EXPECT_THAT(folder.Names(), ElementsAre("done"));
  close(folder_fd);
}

INSTANTIATE_TEST_SUITE_P(Methods, StagedFileTest,
                         testing::Values(StagedFile::Method::kAnonymous,
                                         StagedFile::Method::kHiddenName),
                         [](const auto& info) {
                           return info.param == StagedFile::Method::kAnonymous ? "Anonymous"
                                                                               : "HiddenName";
                         });

}  // namespace

// The ways of renaming without replacing that file systems without RENAME_NOREPLACE get.
class NoReplaceFallbackTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_fd_ = open(folder_.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder_fd_, 0);
  }
  void TearDown() override { close(folder_fd_); }

  TempFolder folder_;
  int folder_fd_ = -1;
};

TEST_F(NoReplaceFallbackTest, LinkThenUnlinkMovesOrLeavesBothNames) {
  WriteFile(folder_ / "a", "moving");
  EXPECT_EQ(filemanager::LinkThenUnlink(folder_fd_, "a", folder_fd_, "b"), 0);
  EXPECT_THAT(folder_.Names(), ElementsAre("b"));

  WriteFile(folder_ / "c", "taken");
  EXPECT_EQ(filemanager::LinkThenUnlink(folder_fd_, "b", folder_fd_, "c"), EEXIST);
  EXPECT_EQ(ReadFile(folder_ / "b"), "moving");
  EXPECT_EQ(ReadFile(folder_ / "c"), "taken");
}

TEST_F(NoReplaceFallbackTest, RenameOverReservedNameMovesOrLeavesBothNames) {
  WriteFile(folder_ / "a", "moving");
  filemanager::RenameOverReservedName(folder_fd_, "a", folder_fd_, "b");
  EXPECT_THAT(folder_.Names(), ElementsAre("b"));
  EXPECT_EQ(ReadFile(folder_ / "b"), "moving");

  WriteFile(folder_ / "c", "taken");
  EXPECT_THROW(filemanager::RenameOverReservedName(folder_fd_, "b", folder_fd_, "c"),
               std::exception);
  EXPECT_EQ(ReadFile(folder_ / "b"), "moving");
  EXPECT_EQ(ReadFile(folder_ / "c"), "taken");

  // A rename that fails takes its claim on the name back.
  EXPECT_THROW(filemanager::RenameOverReservedName(folder_fd_, "missing", folder_fd_, "d"),
               std::exception);
  EXPECT_THAT(folder_.Names(), ElementsAre("b", "c"));
}
