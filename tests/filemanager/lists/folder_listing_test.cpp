// Reading real folders: what counts as a folder or a file, the natural order, exact
// byte names, and folders that cannot be read.
#include "filemanager/lists/folder_listing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/errors.h"
#include "lists_test_folder.h"

namespace filemanager {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

std::vector<std::string> Names(const FolderListing& listing) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < listing.size(); ++i) names.emplace_back(listing.Name(i));
  return names;
}

std::vector<std::string> Read(const std::string& path, EntryKind kind,
                              const std::string& pattern = "*.*", std::size_t chunk = 100000) {
  FolderReader reader(path, kind, NamePattern(pattern));
  while (!reader.ReadSome(chunk)) {
  }
  return Names(reader.TakeSorted());
}

TEST(FolderReader, SortsCaseInsensitivelyWithNumbersByValue) {
  lists_test::ScratchFolder folder;
  for (const char* name : {"file10.txt", "file2.txt", "File1.txt", "banana", "Apple", "cherry",
                           "photo 100.jpg", "photo 9.jpg"})
    folder.File(name);
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFiles),
              ElementsAre("Apple", "banana", "cherry", "File1.txt", "file2.txt", "file10.txt",
                          "photo 9.jpg", "photo 100.jpg"));
}

TEST(FolderReader, OrdersNamesThatDifferOnlyInCaseTheSameWayEveryTime) {
  lists_test::ScratchFolder folder;
  for (const char* name : {"readme", "README", "ReadMe"}) folder.File(name);
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFiles), ElementsAre("README", "ReadMe", "readme"));
}

TEST(FolderReader, CountsLinksByWhatTheyPointTo) {
  lists_test::ScratchFolder folder;
  folder.Folder("sub");
  folder.File("plain");
  folder.Link(folder.Path("sub"), "link-to-folder");
  folder.Link(folder.Path("plain"), "link-to-file");
  folder.Link(folder.Path("nowhere"), "dangling");
  folder.Fifo("pipe");
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFolders), ElementsAre("link-to-folder", "sub"));
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFiles),
              ElementsAre("dangling", "link-to-file", "pipe", "plain"));
}

TEST(FolderReader, KeepsDotEntriesButNeverDotAndDotDot) {
  lists_test::ScratchFolder folder;
  folder.File(".profile");
  folder.Folder(".config");
  folder.File("visible");
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFiles), ElementsAre(".profile", "visible"));
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFolders), ElementsAre(".config"));
}

TEST(FolderReader, AppliesThePatternToFilesOnly) {
  lists_test::ScratchFolder folder;
  folder.File("a.txt");
  folder.File("b.md");
  folder.Folder("c.d");
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFiles, "*.txt"), ElementsAre("a.txt"));
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFolders, "*.txt"), ElementsAre("c.d"));
}

TEST(FolderReader, KeepsTheExactBytesOfNamesThatAreNotUtf8) {
  lists_test::ScratchFolder folder;
  folder.File("b\xff\xfe.txt");
  folder.File("a.txt");
  folder.File("c.txt");
  EXPECT_THAT(Read(folder.Path(), EntryKind::kFiles),
              ElementsAre("a.txt", "b\xff\xfe.txt", "c.txt"));
}

TEST(FolderReader, GivesTheSameListingWhenReadInSmallSteps) {
  lists_test::ScratchFolder folder;
  for (int i = 0; i < 50; ++i) folder.File("n" + std::to_string(i));
  const auto at_once = Read(folder.Path(), EntryKind::kFiles);
  EXPECT_EQ(Read(folder.Path(), EntryKind::kFiles, "*.*", 7), at_once);
  EXPECT_EQ(at_once.size(), 50u);
  EXPECT_EQ(at_once[2], "n2");
  EXPECT_EQ(at_once[10], "n10");
}

TEST(FolderReader, DescribesWhyAFolderCannotBeOpened) {
  lists_test::ScratchFolder folder;
  folder.File("plain");
  try {
    FolderReader reader(folder.Path("missing"), EntryKind::kFiles);
    FAIL() << "a missing folder was opened";
  } catch (const common::Error& error) {
    EXPECT_THAT(error.what(), HasSubstr("No such file or directory"));
    EXPECT_THAT(error.what(), HasSubstr(folder.Path("missing")));
  }
  try {
    FolderReader reader(folder.Path("plain"), EntryKind::kFiles);
    FAIL() << "a file was opened as a folder";
  } catch (const common::Error& error) {
    EXPECT_THAT(error.what(), HasSubstr("Not a directory"));
  }
}

}  // namespace
}  // namespace filemanager
