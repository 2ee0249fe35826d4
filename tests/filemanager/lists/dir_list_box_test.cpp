// The folder list on real folders: ancestry and subfolders, Change before Path
// returns, opening entries as the user does, and folders that cannot be opened.
#include "filemanager/lists/dir_list_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <gtkmm/singleselection.h>
#include <gtkmm/window.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "common/errors.h"
#include "filemanager/lists/folder_path.h"
#include "list_test_support.h"
#include "lists_test_folder.h"
#include "support/ui.h"

namespace filemanager {
namespace {

using lists_test::Rows;
using lists_test::ScratchFolder;
using lists_test::UserOpens;
using lists_test::UserSelects;
using lists_test::ViewOf;
using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::HasSubstr;

struct DirListTest : testing::Test {
  ScratchFolder folder;
  Gtk::Window window;
  DirListBox dirs;
  std::vector<std::string> paths_at_change;
  std::vector<std::string> failures;

  DirListTest() {
    window.set_child(dirs);
    dirs.signal_change().connect([this] { paths_at_change.push_back(dirs.Path()); });
    dirs.signal_open_failed().connect(
        [this](const std::string& description) { failures.push_back(description); });
    for (const char* name : {"b", "A", "c10", "c9"}) folder.Folder(name);
    folder.File("plain");
  }

  // The rows of folder's ancestry: "/" and each component's name.
  std::vector<std::string> AncestryRows(const std::string& path) {
    std::vector<std::string> rows;
    for (const std::string& ancestor : FolderAncestry(path))
      rows.push_back(LastComponent(ancestor));
    return rows;
  }
};

TEST_F(DirListTest, ShowsTheAncestryFromTheRootThenTheSubfoldersInOrder) {
  dirs.Path(folder.Path() + "/");
  EXPECT_EQ(dirs.Path(), folder.Path());
  std::vector<std::string> expected = AncestryRows(folder.Path());
  expected.insert(expected.end(), {"A", "b", "c9", "c10"});
  EXPECT_THAT(Rows(dirs), ElementsAreArray(expected));
  EXPECT_EQ(dirs.RowPath(0), "/");
  EXPECT_EQ(dirs.RowPath(static_cast<guint>(expected.size() - 5)), folder.Path());
  EXPECT_EQ(dirs.RowPath(static_cast<guint>(expected.size() - 1)), folder.Path("c10"));
  EXPECT_EQ(dirs.RowPath(static_cast<guint>(expected.size())), "");
}

TEST_F(DirListTest, TheRootShowsItselfAndItsFolders) {
  dirs.Path("/");
  EXPECT_EQ(dirs.Path(), "/");
  const auto rows = Rows(dirs);
  ASSERT_GT(rows.size(), 1u);
  EXPECT_EQ(rows[0], "/");
  EXPECT_NE(std::find(rows.begin(), rows.end(), "tmp"), rows.end());
  EXPECT_EQ(dirs.RowPath(1), "/" + rows[1]);
}

TEST_F(DirListTest, ChangeIsRaisedBeforePathReturnsAndOnlyWhenThePathChanges) {
  dirs.Path(folder.Path());
  EXPECT_THAT(paths_at_change, ElementsAre(folder.Path()));
  dirs.Path(folder.Path() + "/./");
  EXPECT_EQ(paths_at_change.size(), 1u);
  dirs.Path(folder.Path("b"));
  EXPECT_THAT(paths_at_change, ElementsAre(folder.Path(), folder.Path("b")));
}

TEST_F(DirListTest, AFolderThatCannotBeOpenedThrowsAndChangesNothing) {
  dirs.Path(folder.Path());
  const auto rows = Rows(dirs);
  for (const std::string& bad : {folder.Path("missing"), folder.Path("plain")}) {
    EXPECT_THROW(dirs.Path(bad), common::Error) << bad;
    EXPECT_EQ(dirs.Path(), folder.Path());
    EXPECT_EQ(Rows(dirs), rows);
  }
  EXPECT_EQ(paths_at_change.size(), 1u);
}

TEST_F(DirListTest, ReloadShowsFoldersChangedOutsideAndKeepsTheSelectedRowWhileItIsThere) {
  dirs.Path(folder.Path());
  const std::vector<std::string> ancestry = AncestryRows(folder.Path());
  const auto selected = [&] {
    auto model = std::dynamic_pointer_cast<Gtk::SingleSelection>(ViewOf(dirs).get_model());
    return dirs.RowPath(model->get_selected());
  };
  struct Step {
    const char* what;
    std::function<void()> outside;
    std::vector<std::string> subfolders;
    std::string selected;
  };
  const Step steps[] = {
      {"a folder made",
       [&] { folder.Folder("a2"); },
       {"A", "a2", "b", "c9", "c10"},
       folder.Path("c9")},
      {"another removed",
       [&] { std::filesystem::remove(folder.Path("b")); },
       {"A", "a2", "c9", "c10"},
       folder.Path("c9")},
      {"the selected one renamed",
       [&] { std::filesystem::rename(folder.Path("c9"), folder.Path("d")); },
       {"A", "a2", "c10", "d"},
       folder.Path()},
  };
  UserSelects(dirs, static_cast<guint>(ancestry.size() + 2));  // "c9"
  ASSERT_EQ(selected(), folder.Path("c9"));
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.outside();
    dirs.Reload();
    std::vector<std::string> expected = ancestry;
    expected.insert(expected.end(), step.subfolders.begin(), step.subfolders.end());
    EXPECT_THAT(Rows(dirs), ElementsAreArray(expected));
    EXPECT_EQ(selected(), step.selected);
  }
  EXPECT_EQ(paths_at_change.size(), 1u);
}

TEST_F(DirListTest, OpeningAnEntryMovesThereAndRaisesChange) {
  folder.Folder("b/inner");
  dirs.Path(folder.Path());
  const auto depth = static_cast<guint>(FolderAncestry(folder.Path()).size());

  UserOpens(dirs, depth + 1);  // "b", after "A"
  EXPECT_EQ(dirs.Path(), folder.Path("b"));
  EXPECT_EQ(paths_at_change.back(), folder.Path("b"));
  EXPECT_EQ(Rows(dirs).back(), "inner");

  UserOpens(dirs, 0);
  EXPECT_EQ(dirs.Path(), "/");
  EXPECT_EQ(paths_at_change.back(), "/");
  EXPECT_TRUE(failures.empty());
}

TEST_F(DirListTest, OpeningAnEntryThatVanishedReportsWhyAndStaysWhereItWas) {
  dirs.Path(folder.Path());
  const auto rows = Rows(dirs);
  std::filesystem::remove(folder.Path("b"));
  const auto depth = static_cast<guint>(FolderAncestry(folder.Path()).size());

  UserOpens(dirs, depth + 1);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_THAT(failures[0], HasSubstr("No such file or directory"));
  EXPECT_EQ(dirs.Path(), folder.Path());
  EXPECT_EQ(Rows(dirs), rows);
  EXPECT_EQ(paths_at_change.size(), 1u);
}

TEST_F(DirListTest, ALinkToAFolderIsAFolderReachedByTheLinksPath) {
  folder.Link(folder.Path("A"), "shortcut");
  dirs.Path(folder.Path());
  const auto rows = Rows(dirs);
  const auto at = std::find(rows.begin(), rows.end(), "shortcut");
  ASSERT_NE(at, rows.end());
  UserOpens(dirs, static_cast<guint>(at - rows.begin()));
  EXPECT_EQ(dirs.Path(), folder.Path("shortcut"));
}

TEST_F(DirListTest, AFolderNamedInInvalidUtf8IsShownReadablyAndOpenedByItsBytes) {
  folder.Folder("odd\xff");
  dirs.Path(folder.Path());
  const auto rows = Rows(dirs);
  ASSERT_EQ(rows.back(), "odd\xef\xbf\xbd");
  UserOpens(dirs, static_cast<guint>(rows.size() - 1));
  EXPECT_EQ(dirs.Path(), folder.Path("odd\xff"));
  EXPECT_EQ(Rows(dirs).back(), "odd\xef\xbf\xbd");  // now the open folder, last in the list
}

TEST_F(DirListTest, AnErrorOfAChangeHandlerReachesWhoeverSetThePath) {
  dirs.signal_change().connect([] { throw common::Error("handler failed"); });
  EXPECT_THROW(dirs.Path(folder.Path("b")), common::Error);
  EXPECT_EQ(dirs.Path(), folder.Path("b"));  // the folder was open before Change ran
  EXPECT_TRUE(failures.empty());
}

TEST_F(DirListTest, AHugeFolderShowsItsAncestryAtOnceAndItsSubfoldersSoonAfter) {
  const std::string big = folder.Folder("big");
  for (int i = 0; i < 6000; ++i) std::ofstream(big + "/f" + std::to_string(i));
  for (const char* name : {"z", "y"}) folder.Folder(std::string("big/") + name);
  int listed = 0;
  dirs.signal_listed().connect([&] { ++listed; });

  dirs.Path(big);
  EXPECT_EQ(paths_at_change.back(), big);
  EXPECT_FALSE(dirs.Complete());
  EXPECT_THAT(Rows(dirs), ElementsAreArray(AncestryRows(big)));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return dirs.Complete(); }));
  EXPECT_EQ(listed, 1);
  std::vector<std::string> expected = AncestryRows(big);
  expected.insert(expected.end(), {"y", "z"});
  EXPECT_THAT(Rows(dirs), ElementsAreArray(expected));
}

TEST_F(DirListTest, CarriesItsName) {
  EXPECT_TRUE(lists_test::HasAccessibleLabel(dirs, "Folders"));
  EXPECT_TRUE(lists_test::HasAccessibleLabel(lists_test::ViewOf(dirs), "Folders"));
}

}  // namespace
}  // namespace filemanager
