// Form1 when the file system changes under it: the drive shown unmounted, the folder
// shown no longer the one listed, a folder that does not answer.
#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "filemanager/progress_file_system_object.h"
#include "form1_fixture.h"
#include "hung_mount.h"
#include "lists/list_test_support.h"

namespace {

using testing_support::PumpFor;
using testing_support::PumpUntil;
using testing_support::ShownMessage;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// A file system in memory mounted over a folder while it lives: ramfs, which the drive
// list offers (GIO counts drive_fs as part of the system).
class RamDrive {
 public:
  explicit RamDrive(std::string path) : path_(std::move(path)) {
    if (mount("tavvel-test", path_.c_str(), "ramfs", 0, nullptr) == 0)
      mounted_ = true;
    else
      error_ = std::string("cannot mount a file system here: ") + std::strerror(errno);
  }
  ~RamDrive() { Unmount(); }
  RamDrive(const RamDrive&) = delete;
  RamDrive& operator=(const RamDrive&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }
  void Unmount() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    mounted_ = false;
  }

 private:
  std::string path_;
  bool mounted_ = false;
  std::string error_;
};

struct Form1MountsTest : testing_support::Form1Test {
  void MakeRealForm() {
    MakeForm([](Gtk::Window& owner) {
      return std::make_unique<filemanager::ProgressFileSystemObject>(owner);
    });
  }
  // The position of the folder list's row that shows text.
  guint DirRow(const std::string& text) {
    const auto rows = lists_test::Rows(form->Dir1);
    return static_cast<guint>(std::find(rows.begin(), rows.end(), text) - rows.begin());
  }
};

TEST_F(Form1MountsTest, TheWindowFollowsTheDriveShownWhenItIsUnmounted) {
  testing_support::TemporaryFolder mounts("/mnt");
  const std::string drive = mounts.Folder("drive");
  MakeRealForm();
  // Mounted with the window open, so the drive list shows it has heard of the mount.
  RamDrive drive_fs(drive);
  if (!drive_fs.Mounted()) GTEST_SKIP() << drive_fs.Error();
  std::ofstream(drive + "/a.txt");
  ASSERT_TRUE(PumpUntil([&] {
    for (const auto& entry : form->Drive1.Drives())
      if (entry.mount_point == drive) return true;
    return false;
  }));
  form->Drive1.Drive(drive);
  ASSERT_EQ(form->Dir1.Path(), drive);
  Select("a.txt");
  ASSERT_EQ(PathBox(), drive + "/a.txt");

  drive_fs.Unmount();
  EXPECT_TRUE(PumpUntil([&] { return form->Drive1.Drive() == "/"; }));
  EXPECT_EQ(form->Dir1.Path(), "/");
  EXPECT_EQ(form->File1.Path(), "/");
  EXPECT_EQ(PathBox(), "");
  EXPECT_TRUE(messages.shown.empty());
}

// How the folder the list shows stops being the one it listed, under the same path.
struct ShownFolderChange {
  const char* name;
  bool mounted;  // the folder shown is a mount point, unmounted afterwards
  bool cut;
};

class Form1PasteDestinationTest : public Form1MountsTest,
                                  public testing::WithParamInterface<ShownFolderChange> {};

TEST_P(Form1PasteDestinationTest, APasteIntoAFolderNoLongerTheOneListedWritesNothing) {
  const ShownFolderChange& change = GetParam();
  const std::string source = folder.Folder("source");
  folder.Write("source/song.ogg", "la la la");
  const std::string shown = folder.Folder("shown");
  std::optional<RamDrive> drive_fs;
  if (change.mounted) {
    drive_fs.emplace(shown);
    if (!drive_fs->Mounted()) GTEST_SKIP() << drive_fs->Error();
  }
  MakeRealForm();
  Open(source);
  Select("song.ogg");
  Click(change.cut ? form->cmdCut : form->cmdCopy);
  Open(shown);

  if (change.mounted) {
    drive_fs->Unmount();
  } else {
    fs::rename(shown, shown + ".old");
    fs::create_directory(shown);
  }
  Click(form->cmdPaste);
  EXPECT_EQ(messages.shown.back(),
            (ShownMessage{"Error pasting file: The destination folder does not exist", 16,
                          "Paste Error"}));
  EXPECT_FALSE(fs::exists(shown + "/song.ogg"));
  EXPECT_EQ(folder.Read("source/song.ogg"), "la la la");
  EXPECT_EQ(form->ClipboardPath(), source + "/song.ogg");
}

INSTANTIATE_TEST_SUITE_P(Changes, Form1PasteDestinationTest,
                         testing::Values(ShownFolderChange{"Unmounted", true, false},
                                         ShownFolderChange{"Replaced", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form1MountsTest, AFolderThatDoesNotAnswerLeavesTheWindowWorkingAndCanBeLeft) {
  testing_support::HungMount hung(folder.Folder("hung"));
  if (!hung.Mounted()) GTEST_SKIP() << hung.Error();
  // Frees a window that waits for the folder on its own thread, found stalled then.
  hung.ReleaseAfter(4s);
  const std::string other = folder.Folder("other");
  folder.Write("other/note.txt", "");
  MakeScriptedForm();
  Open(folder.Path());

  testing_support::LoopWatch loop;
  lists_test::UserOpens(form->Dir1, DirRow("hung"));
  PumpFor(1s);
  EXPECT_LT(loop.Longest(), 500ms);
  EXPECT_EQ(lists_test::Rows(form->Dir1).back(), "Loading\u2026");
  EXPECT_EQ(form->Dir1.Path(), folder.Path());
  EXPECT_EQ(form->File1.Path(), folder.Path());

  lists_test::UserOpens(form->Dir1, DirRow("other"));
  EXPECT_EQ(form->Dir1.Path(), other);
  EXPECT_EQ(Listed(), std::vector<std::string>{"note.txt"});
  hung.Release();
  PumpFor(300ms);
  EXPECT_EQ(form->Dir1.Path(), other);
  EXPECT_NE(lists_test::Rows(form->Dir1).back(), "Loading\u2026");
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace

// Back to a folder that answers only after the click returned, and then fails: the
// history steps only when a folder opens, so the failed one leaves it and Back and
// Forward go on around it.
TEST_F(Form1MountsTest, BackToAFolderThatFailsLateDropsItAndStepsNowhere) {
  const std::string first = folder.Folder("first");
  const std::string hung_path = folder.Folder("hung");
  const std::string last = folder.Folder("last");
  MakeScriptedForm();
  for (const std::string& path : {first, hung_path, last}) Open(path);
  testing_support::HungMount hung(hung_path);
  if (!hung.Mounted()) GTEST_SKIP() << hung.Error();

  Click(form->Command4);
  PumpFor(300ms);
  ASSERT_TRUE(form->Dir1.Opening());
  hung.Release();
  ASSERT_TRUE(PumpUntil([&] { return !form->Dir1.Opening(); }));
  EXPECT_EQ(form->Dir1.Path(), last);

  Click(form->Command4);
  EXPECT_EQ(form->Dir1.Path(), first);
  Click(form->Command5);
  EXPECT_EQ(form->Dir1.Path(), last);
  EXPECT_EQ(messages.shown.size(), 1u) << "the failed folder is reported once";
}
