// DeleteFile on real files, and the name part of a path.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "filemanager/operations/file_operations.h"
#include "test_files.h"

namespace {

using filemanager::DeleteFile;
using filemanager::FileNameOf;
using testing::ElementsAre;
using testing_files::Exists;
using testing_files::ReadFile;
using testing_files::TempFolder;
using testing_files::WriteFile;

std::string DeleteError(const std::string& path) {
  try {
    DeleteFile(path);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

class DeleteFileTest : public testing::Test {
 protected:
  TempFolder folder_;
};

TEST_F(DeleteFileTest, DeletesOneFileEvenWithoutWritePermission) {
  WriteFile(folder_ / "f", "x", 0400);
  WriteFile(folder_ / "g", "y");
  EXPECT_EQ(DeleteError(folder_ / "f"), "");
  EXPECT_THAT(folder_.Names(), ElementsAre("g"));
}

TEST_F(DeleteFileTest, RefusesAFolder) {
  ASSERT_EQ(mkdir((folder_ / "sub").c_str(), 0755), 0);
  WriteFile(folder_ / "sub/inside", "kept");
  EXPECT_EQ(DeleteError(folder_ / "sub"), "Is a folder, not a file");
  EXPECT_EQ(ReadFile(folder_ / "sub/inside"), "kept");
}

TEST_F(DeleteFileTest, RemovesASymbolicLinkNeverItsTarget) {
  WriteFile(folder_ / "target", "kept");
  ASSERT_EQ(symlink("target", (folder_ / "link").c_str()), 0);
  ASSERT_EQ(mkdir((folder_ / "sub").c_str(), 0755), 0);
  ASSERT_EQ(symlink("sub", (folder_ / "folder-link").c_str()), 0);
  EXPECT_EQ(DeleteError(folder_ / "link"), "");
  EXPECT_EQ(DeleteError(folder_ / "folder-link"), "");
  EXPECT_THAT(folder_.Names(), ElementsAre("sub", "target"));
  EXPECT_EQ(ReadFile(folder_ / "target"), "kept");
}

TEST_F(DeleteFileTest, DeletesANamedPipe) {
  ASSERT_EQ(mkfifo((folder_ / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(DeleteError(folder_ / "pipe"), "");
  EXPECT_TRUE(folder_.Names().empty());
}

TEST_F(DeleteFileTest, MissingFileIsReported) {
  EXPECT_EQ(DeleteError(folder_ / "missing"), "The file does not exist");
}

TEST_F(DeleteFileTest, NameThatIsNotUtf8DeletesThatFileOnly) {
  const std::string odd = "r\xe9sum\xe9";
  const std::string look_alike = "r\xef\xbf\xbdsum\xef\xbf\xbd";
  WriteFile(folder_ / odd, "odd");
  WriteFile(folder_ / look_alike, "look-alike");
  EXPECT_EQ(DeleteError(folder_ / odd), "");
  EXPECT_THAT(folder_.Names(), ElementsAre(look_alike));
}

TEST_F(DeleteFileTest, FileInLockedFolderGivesPermissionDenied) {
  WriteFile(folder_ / "f", "x");
  const std::string why_not = testing_files::LockFolder(folder_.path(), true);
  if (!why_not.empty()) GTEST_SKIP() << why_not;
  const std::string error = DeleteError(folder_ / "f");
  testing_files::LockFolder(folder_.path(), false);
  EXPECT_EQ(error, "Permission denied");
  EXPECT_TRUE(Exists(folder_ / "f"));
}

struct NameCase {
  const char* path;
  const char* name;
};

class FileNameOfTest : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameOfTest, IsWhatFollowsTheLastSlash) {
  EXPECT_EQ(FileNameOf(GetParam().path), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Paths, FileNameOfTest,
                         testing::Values(NameCase{"/home/a/notes.txt", "notes.txt"},
                                         NameCase{"notes.txt", "notes.txt"},
                                         NameCase{"/notes", "notes"}, NameCase{"/home/a/", ""},
                                         NameCase{"/", ""}, NameCase{"", ""},
                                         NameCase{"a\\b", "a\\b"},
                                         NameCase{"/x\xff/caf\xe9", "caf\xe9"}));

}  // namespace
