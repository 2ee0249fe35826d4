// The file list on real folders: what it lists and in which order, selection and
// Click, Refresh, folders that cannot be read, and a huge folder.
#include "filemanager/lists/file_list_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <gtkmm/window.h>

#include <filesystem>

#include "common/errors.h"
#include "list_test_support.h"
#include "lists_test_folder.h"
#include "support/ui.h"

namespace filemanager {
namespace {

using lists_test::Rows;
using lists_test::ScratchFolder;
using lists_test::UserSelects;
using testing::ElementsAre;
using testing::HasSubstr;
using testing_support::PumpFor;
using testing_support::PumpUntil;

struct FileListTest : testing::Test {
  ScratchFolder folder;
  Gtk::Window window;
  FileListBox files;
  int clicks = 0;
  std::string name_at_click;

  FileListTest() {
    files.set_size_request(300, 400);
    window.set_child(files);
    files.signal_click().connect([this] {
      ++clicks;
      name_at_click = files.FileName();
    });
  }
};

TEST_F(FileListTest, ListsEveryFileInNaturalOrderAndNoFolders) {
  for (const char* name : {"b.txt", "A.txt", "file10", "file9", ".profile"}) folder.File(name);
  folder.Folder("sub");
  folder.Link(folder.Path("sub"), "link-to-sub");
  folder.Link(folder.Path("b.txt"), "link-to-b");

  files.Path(folder.Path() + "/");
  EXPECT_EQ(files.Path(), folder.Path());
  EXPECT_TRUE(files.Complete());
  EXPECT_THAT(Rows(files),
              ElementsAre(".profile", "A.txt", "b.txt", "file9", "file10", "link-to-b"));
  EXPECT_EQ(files.FileName(), "");
}

TEST_F(FileListTest, PatternFiltersNamesAndStarDotStarBringsEveryFileBack) {
  for (const char* name : {"notes.txt", "photo.jpg", "README", ".hidden.txt"}) folder.File(name);
  files.Path(folder.Path());

  files.Pattern("*.txt");
  EXPECT_EQ(files.Pattern(), "*.txt");
  EXPECT_THAT(Rows(files), ElementsAre(".hidden.txt", "notes.txt"));
  files.Pattern("*.jpg;READ*");
  EXPECT_THAT(Rows(files), ElementsAre("photo.jpg", "README"));
  files.Pattern("*.*");
  EXPECT_THAT(Rows(files), ElementsAre(".hidden.txt", "notes.txt", "photo.jpg", "README"));
}

TEST_F(FileListTest, SelectingARowRaisesClickWithTheExactBytesOfItsName) {
  folder.File("a.txt");
  folder.File("b\xff.txt");
  folder.File("c\nd.txt");
  files.Path(folder.Path());
  ASSERT_EQ(Rows(files).size(), 3u);
  EXPECT_EQ(Rows(files)[1], "b\xef\xbf\xbd.txt");  // shown with a replacement character
  EXPECT_EQ(Rows(files)[2], "c?d.txt");            // on one line, not as two files

  UserSelects(files, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(name_at_click, "b\xff.txt");
  EXPECT_EQ(files.FileName(), "b\xff.txt");
  EXPECT_TRUE(std::filesystem::exists(files.Path() + "/" + files.FileName()));

  UserSelects(files, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(files.FileName(), "a.txt");
  lists_test::UserCtrlClicks(files, 0);  // a chosen file stays chosen
  EXPECT_EQ(files.FileName(), "a.txt");

  UserSelects(files, 2);
  EXPECT_EQ(name_at_click, "c\nd.txt");
  EXPECT_TRUE(std::filesystem::exists(files.Path() + "/" + files.FileName()));
}

TEST_F(FileListTest, TheProgramReadsTheListAndSelectsByIndex) {
  for (const char* name : {"c", "a", "b\xff"}) folder.File(name);
  files.Path(folder.Path());
  ASSERT_EQ(files.ListCount(), 3);
  EXPECT_EQ(files.List(0), "a");
  EXPECT_EQ(files.List(1), "b\xff");
  EXPECT_EQ(files.List(3), "");
  EXPECT_EQ(files.ListIndex(), -1);

  files.ListIndex(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(name_at_click, "c");
  files.ListIndex(2);
  EXPECT_EQ(clicks, 1);
  files.ListIndex(-1);
  EXPECT_EQ(files.ListIndex(), -1);
  EXPECT_EQ(files.FileName(), "");
  EXPECT_EQ(clicks, 1);
}

TEST_F(FileListTest, RefreshShowsNewContentAndClearsTheSelection) {
  folder.File("a");
  files.Path(folder.Path());
  UserSelects(files, 0);
  ASSERT_EQ(files.FileName(), "a");

  folder.File("b");
  files.Refresh();
  EXPECT_THAT(Rows(files), ElementsAre("a", "b"));
  EXPECT_EQ(files.FileName(), "");
  EXPECT_EQ(clicks, 1);  // clearing the selection is no click
}

TEST_F(FileListTest, AFolderThatCannotBeReadThrowsAndChangesNothing) {
  folder.File("kept");
  folder.File("plain");
  files.Path(folder.Path());
  UserSelects(files, 0);

  for (const std::string& bad : {folder.Path("missing"), folder.Path("plain"), std::string()}) {
    EXPECT_THROW(files.Path(bad), common::Error) << bad;
    EXPECT_EQ(files.Path(), folder.Path());
    EXPECT_THAT(Rows(files), ElementsAre("kept", "plain"));
    EXPECT_EQ(files.FileName(), "kept");
  }
}

TEST_F(FileListTest, RefreshOfAVanishedFolderThrowsAndKeepsTheList) {
  const std::string gone = folder.Folder("gone");
  std::filesystem::create_directory(gone + "/x");
  folder.File("gone/f");
  files.Path(gone);
  std::filesystem::remove_all(gone);
  try {
    files.Refresh();
    FAIL() << "a vanished folder was read";
  } catch (const common::Error& error) {
    EXPECT_THAT(error.what(), HasSubstr("No such file or directory"));
  }
  EXPECT_THAT(Rows(files), ElementsAre("f"));
  EXPECT_THROW(files.Pattern("*.txt"), common::Error);
  EXPECT_EQ(files.Pattern(), "*.*");
}

TEST_F(FileListTest, AHugeFolderFillsInWithoutHoldingTheWindow) {
  const std::string big = folder.Folder("big");
  for (int i = 0; i < 20000; ++i) std::ofstream(big + "/f" + std::to_string(i));
  int listed = 0;
  files.signal_listed().connect([&] { ++listed; });
  window.present();

  files.Path(big);
  EXPECT_EQ(files.Path(), big);
  EXPECT_FALSE(files.Complete());
  EXPECT_EQ(files.FileName(), "");
  ASSERT_TRUE(PumpUntil([&] { return files.Complete(); }));
  EXPECT_EQ(listed, 1);
  const auto rows = Rows(files);
  ASSERT_EQ(rows.size(), 20000u);
  for (std::size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i], "f" + std::to_string(i));
  UserSelects(files, 12345);
  EXPECT_EQ(files.FileName(), rows[12345]);
}

TEST_F(FileListTest, AnotherFolderOpenedMeanwhileWinsOverAHugeOneStillLoading) {
  const std::string big = folder.Folder("big");
  for (int i = 0; i < 6000; ++i) std::ofstream(big + "/f" + std::to_string(i));
  const std::string small = folder.Folder("small");
  folder.File("small/only");

  files.Path(big);
  files.Path(small);
  PumpFor(std::chrono::milliseconds(500));
  EXPECT_EQ(files.Path(), small);
  EXPECT_THAT(Rows(files), ElementsAre("only"));
}

TEST_F(FileListTest, CarriesItsNameAndRowsCarryTheNameTheyShow) {
  folder.File("first.txt");
  files.Path(folder.Path());
  window.present();
  Gtk::Widget* row = nullptr;
  ASSERT_TRUE(PumpUntil([&] {
    Gtk::Widget* item = lists_test::ViewOf(files).get_first_child();
    row = item ? item->get_first_child() : nullptr;
    return row != nullptr;
  }));
  EXPECT_TRUE(lists_test::HasAccessibleLabel(files, "Files"));
  EXPECT_TRUE(lists_test::HasAccessibleLabel(lists_test::ViewOf(files), "Files"));
  EXPECT_TRUE(lists_test::HasAccessibleLabel(*row, "first.txt"));
}

}  // namespace
}  // namespace filemanager
