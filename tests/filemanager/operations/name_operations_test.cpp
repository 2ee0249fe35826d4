// RenameEntry and MakeFolder on real files: the names they refuse, the taken names they
// never replace (also one another process makes just before), and what they leave.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <functional>
#include <string>
#include <vector>

#include "filemanager/operations/name_operations.h"
#include "test_files.h"

extern char** environ;

namespace {

using testing_files::ReadFile;
using testing_files::TempFolder;
using testing_files::WriteFile;

// Another process writes "theirs" to the file name in folder, and has ended on return.
void WriteFromAnotherProcess(const std::string& folder, const std::string& name) {
  const std::string script = "printf theirs > \"$0/$1\"";
  const char* argv[] = {"sh", "-c", script.c_str(), folder.c_str(), name.c_str(), nullptr};
  pid_t child;
  ASSERT_EQ(posix_spawnp(&child, "sh", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

struct Case {
  const char* what;
  bool make_folder;  // else rename "old.txt"
  std::string name;
  std::function<void(const TempFolder&)> before;
  std::string error;
  std::vector<std::string> after;  // the folder's names afterwards
};

TEST(NameOperationsTest, RenameAndNewFolderRefuseBadAndTakenNames) {
  const Case cases[] = {
      {"rename", false, "new.txt", {}, "", {"new.txt", "taken.txt"}},
      {"rename to a taken name",
       false,
       "taken.txt",
       {},
       "File already exists",
       {"old.txt", "taken.txt"}},
      {"rename to a name another process just made",
       false,
       "late.txt",
       [](const TempFolder& f) { WriteFromAnotherProcess(f.path(), "late.txt"); },
       "File already exists",
       {"late.txt", "old.txt", "taken.txt"}},
      {"rename to an empty name", false, "", {}, "The name is empty", {"old.txt", "taken.txt"}},
      {"rename to a path",
       false,
       "sub/new.txt",
       {},
       "A name cannot contain \"/\"",
       {"old.txt", "taken.txt"}},
      {"rename to the parent",
       false,
       "..",
       {},
       "\".\" and \"..\" are reserved names",
       {"old.txt", "taken.txt"}},
      {"rename to the folder itself",
       false,
       ".",
       {},
       "\".\" and \"..\" are reserved names",
       {"old.txt", "taken.txt"}},
      {"rename a file that went",
       false,
       "new.txt",
       [](const TempFolder& f) { std::remove((f / "old.txt").c_str()); },
       "The file does not exist",
       {"taken.txt"}},
      {"new folder", true, "New Folder", {}, "", {"New Folder", "old.txt", "taken.txt"}},
      {"new folder on a taken name",
       true,
       "taken.txt",
       {},
       "File already exists",
       {"old.txt", "taken.txt"}},
      {"new folder on a name another process just made",
       true,
       "late",
       [](const TempFolder& f) { WriteFromAnotherProcess(f.path(), "late"); },
       "File already exists",
       {"late", "old.txt", "taken.txt"}},
      {"new folder without a name", true, "", {}, "The name is empty", {"old.txt", "taken.txt"}},
      {"new folder with a path",
       true,
       "a/b",
       {},
       "A name cannot contain \"/\"",
       {"old.txt", "taken.txt"}},
      {"new folder named ..",
       true,
       "..",
       {},
       "\".\" and \"..\" are reserved names",
       {"old.txt", "taken.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    WriteFile(folder / "old.txt", "mine");
    WriteFile(folder / "taken.txt", "taken");
    if (c.before) c.before(folder);
    std::string error;
    try {
      if (c.make_folder)
        filemanager::MakeFolder(folder.path(), c.name);
      else
        filemanager::RenameEntry(folder.path(), "old.txt", c.name);
    } catch (const std::exception& e) {
      error = e.what();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(folder.Names(), c.after);
    // Nothing taken was replaced, and a renamed file kept its content.
    EXPECT_EQ(ReadFile(folder / "taken.txt"), "taken");
    for (const char* late : {"late.txt", "late"}) {
      if (testing_files::Exists(folder / late)) {
        EXPECT_EQ(ReadFile(folder / late), "theirs");
      }
    }
    if (c.error.empty() && !c.make_folder) {
      EXPECT_EQ(ReadFile(folder / c.name), "mine");
    }
  }
}

}  // namespace
