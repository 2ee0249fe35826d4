// Program start for real: a script whose path holds spaces and shell syntax runs as
// one program, with no shell in between, and leaves no child behind.
#include "browser/about/program_start.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/errors.h"
#include "temp_folder.h"

namespace {

using about_test::TempFolder;

std::string ReadWhenThere(const std::filesystem::path& file) {
  for (int i = 0; i < 1000 && !std::filesystem::exists(file); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  // The script writes the marker in one go; give it the moment to finish.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  return text.str();
}

class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingFolder() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(SpawnProgramStart, RunsThePathWholeAsOneProgramWithoutAShellAndLeavesNoChild) {
  TempFolder folder;
  // Through a shell this would run "…/tools" and then "touch injected".
  const auto script = folder.Write("my tools/sys info; touch injected",
                                   "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$0\" > \"$(dirname "
                                   "\"$0\")/marker.tmp\"\nmv \"$(dirname \"$0\")/marker.tmp\" "
                                   "\"$(dirname \"$0\")/marker\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  WorkingFolder working_folder(folder.path());

  browser::SpawnProgramStart start;
  start.Start(script.string(), browser::kNormalFocus);
  // Start returns at once, and the program is not our child: nothing to wait for.
  int status = 0;
  EXPECT_EQ(waitpid(-1, &status, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);

  EXPECT_EQ(ReadWhenThere(folder.path() / "my tools" / "marker"), "0|" + script.string());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "injected"));
}

TEST(SpawnProgramStart, AProgramThatCannotStartRaisesAnErrorWithADescription) {
  TempFolder folder;
  const auto not_executable = folder.Write("plain.txt", "just text\n");
  browser::SpawnProgramStart start;
  for (const std::string& program :
       {std::string("/no such folder/tool"), not_executable.string(), folder.path().string(),
        std::string(), std::string("/bin/true\0--flag", 16)}) {
    try {
      start.Start(program, browser::kNormalFocus);
      ADD_FAILURE() << "started " << program;
    } catch (const common::Error& error) {
      EXPECT_STRNE(error.what(), "") << program;
    }
  }
}

}  // namespace
