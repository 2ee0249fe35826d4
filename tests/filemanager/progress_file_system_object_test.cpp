// The program's file-system object through a real window: operations run off the UI
// thread, a long one shows the progress window, Cancel ends it, errors come through.
#include "filemanager/progress_file_system_object.h"

#include <glibmm/main.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "common/errors.h"
#include "hung_mount.h"
#include "slow_transfer.h"
#include "support/temporary_folder.h"
#include "support/ui.h"

namespace {

using filemanager::ProgressFileSystemObject;
using testing_support::SlowOperations;
using namespace std::chrono_literals;

struct ProgressFileSystemObjectTest : testing::Test {
  Gtk::Window owner;
  void SetUp() override {
    owner.set_hide_on_close(true);
    owner.present();
    testing_support::PumpUntil([&] { return owner.get_mapped(); });
  }
};

TEST_F(ProgressFileSystemObjectTest, CopiesMovesAndDeletesRealFilesWithoutAProgressWindow) {
  testing_support::TemporaryFolder folder;
  folder.Write("a.txt", "contents");
  // Generous against a loaded machine; the point is that a quick operation shows none.
  ProgressFileSystemObject fso(owner, ProgressFileSystemObject::CoreOperations(), 2s);
  EXPECT_EQ(fso.GetFileName(folder.Path("a.txt")), "a.txt");

  bool progress_seen = false;
  auto watch = Glib::signal_timeout().connect(
      [&] { return !(progress_seen = progress_seen || fso.CurrentProgress()); }, 10);
  fso.CopyFile(folder.Path("a.txt"), folder.Path("b.txt"));
  fso.MoveFile(folder.Path("b.txt"), folder.Path("c.txt"));
  watch.disconnect();
  EXPECT_FALSE(progress_seen);
  EXPECT_EQ(folder.Read("c.txt"), "contents");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("b.txt")));

  fso.DeleteFile(folder.Path("c.txt"), true);
  EXPECT_FALSE(std::filesystem::exists(folder.Path("c.txt")));
  EXPECT_EQ(folder.Read("a.txt"), "contents");
}

TEST_F(ProgressFileSystemObjectTest, TheCoreErrorsReachTheCallerWithTheirDescription) {
  testing_support::TemporaryFolder folder;
  folder.Write("a.txt", "a");
  folder.Write("b.txt", "b");
  ProgressFileSystemObject fso(owner);
  try {
    fso.CopyFile(folder.Path("a.txt"), folder.Path("b.txt"));
    ADD_FAILURE() << "an existing destination was overwritten";
  } catch (const common::Error& error) {
    EXPECT_FALSE(std::string(error.what()).empty());
  }
  EXPECT_EQ(folder.Read("b.txt"), "b");
  EXPECT_THROW(fso.DeleteFile(folder.Path("missing.txt"), true), common::Error);
}

TEST_F(ProgressFileSystemObjectTest, ALongOperationShowsProgressAndCancelEndsIt) {
  ProgressFileSystemObject fso(owner, SlowOperations(60s), 200ms);
  std::string bytes_shown;
  bool modal_over_owner = false;
  std::string title;
  bool close_refused = false;
  // Acts while the copy runs: the UI thread is inside CopyFile, in its nested loop.
  // GLib writes sizes with a no-break space before the unit.
  auto act = Glib::signal_timeout().connect(
      [&] {
        filemanager::ProgressWindow* progress = fso.CurrentProgress();
        if (!progress ||
            progress->BytesLabel().get_text().find(" of 1.1\u00a0GB") == Glib::ustring::npos)
          return true;
        bytes_shown = progress->BytesLabel().get_text();
        modal_over_owner = progress->get_modal() && progress->get_transient_for() == &owner;
        title = progress->get_title();
        owner.close();  // refused while the operation runs
        close_refused = owner.get_visible();
        progress->CancelButton().activate();
        return false;
      },
      20);
  const auto started = std::chrono::steady_clock::now();
  try {
    fso.CopyFile("/source/big.iso", "/destination/big.iso");
    ADD_FAILURE() << "the copy was not cancelled";
  } catch (const common::Error& error) {
    EXPECT_STREQ(error.what(), "Operation cancelled");
  }
  act.disconnect();
  EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
  EXPECT_FALSE(bytes_shown.empty());
  EXPECT_TRUE(modal_over_owner);
  EXPECT_EQ(title, "Copying file");
  EXPECT_TRUE(close_refused);
  EXPECT_EQ(fso.CurrentProgress(), nullptr);
}

TEST_F(ProgressFileSystemObjectTest, TheWindowKeepsDrawingAndTheProgressGoesWhenTheMoveEnds) {
  ProgressFileSystemObject fso(owner, SlowOperations(800ms), 100ms);
  bool progress_seen = false;
  std::string file_shown;
  auto watch = Glib::signal_timeout().connect(
      [&] {
        if (fso.CurrentProgress()) {
          progress_seen = true;
          file_shown = fso.CurrentProgress()->FileLabel().get_text();
        }
        return true;
      },
      10);
  // Frames of the owner window drawn while the move runs.
  int frames = 0;
  const guint ticks = owner.add_tick_callback([&](const Glib::RefPtr<Gdk::FrameClock>&) {
    ++frames;
    return true;
  });
  fso.MoveFile("/source/film.mkv", "/destination/film.mkv");
  owner.remove_tick_callback(ticks);
  watch.disconnect();
  EXPECT_GT(frames, 5);
  EXPECT_TRUE(progress_seen);
  EXPECT_EQ(file_shown, "film.mkv");
  EXPECT_EQ(fso.CurrentProgress(), nullptr);
  // The window is usable again: its close request is no longer refused.
  owner.close();
  EXPECT_FALSE(owner.get_visible());
}

// A delete on a file system that does not answer runs off the window's thread like a
// copy: the window keeps drawing and takes no input until the file system gives up.
TEST_F(ProgressFileSystemObjectTest, ADeleteOnAHungFileSystemLeavesTheWindowDrawnButBlocked) {
  testing_support::TemporaryFolder folder;
  testing_support::HungMount hung(folder.Folder("hung"));
  if (!hung.Mounted()) GTEST_SKIP() << hung.Error();
  ProgressFileSystemObject fso(owner, ProgressFileSystemObject::CoreOperations(), 100ms);
  bool close_refused = false;
  Glib::signal_timeout().connect_once(
      [&] {
        owner.close();
        close_refused = owner.get_visible();
      },
      300);
  hung.ReleaseAfter(1500ms);
  testing_support::LoopWatch loop;
  EXPECT_THROW(fso.DeleteFile(folder.Path("hung/file.txt"), true), common::Error);
  EXPECT_LT(loop.Longest(), 500ms);
  EXPECT_TRUE(close_refused);
  EXPECT_EQ(fso.CurrentProgress(), nullptr);
}

}  // namespace
