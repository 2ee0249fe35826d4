// The progress window on screen: the total the core reports before copying anything is
// shown from the window's first frame.
#include "filemanager/progress_window.h"

#include <gtest/gtest.h>

#include "support/ui.h"

namespace {

TEST(ProgressWindowTest, ShowsTheRealTotalFromTheStartAndNeverNoughtOfNought) {
  Gtk::Window owner;
  filemanager::ProgressWindow progress(&owner, "Copying file", "big.iso");
  progress.present();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return progress.get_mapped(); }));
  EXPECT_EQ(progress.BytesLabel().get_text(), "");
  progress.Progress(0, 0);
  EXPECT_EQ(progress.BytesLabel().get_text(), "");
  // GLib writes sizes with a no-break space before the unit.
  progress.Progress(0, 25165824);
  EXPECT_EQ(progress.BytesLabel().get_text(), "0\u00a0bytes of 25.2\u00a0MB");
}

}  // namespace
