// The drive list: the system's drives, picking one, and following mounts.
#include "filemanager/lists/drive_list_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/errors.h"
#include "list_test_support.h"

namespace filemanager {
namespace {

using testing::ElementsAre;
using testing::Field;

TEST(DriveListBox, OffersRootAndNoPseudoFileSystems) {
  DriveListBox drives;
  ASSERT_FALSE(drives.Drives().empty());
  EXPECT_EQ(drives.Drives().front().mount_point, "/");
  for (const Drive& drive : drives.Drives())
    for (const char* pseudo : {"/proc", "/sys", "/dev", "/run"})
      EXPECT_FALSE(drive.mount_point.starts_with(pseudo)) << drive.mount_point;
  EXPECT_EQ(drives.get_model()->get_n_items(), drives.Drives().size());
  EXPECT_TRUE(lists_test::HasAccessibleLabel(drives, "Drives"));
}

struct PickedDrives : testing::Test {
  std::vector<MountInfo> mounts{{"/", "ext4", true, ""},
                                {"/media/usb", "vfat", false, "STICK"},
                                {"/mnt/data", "ext4", false, ""}};
  DriveListBox drives{[this] { return mounts; }};
  int changes = 0;
  std::string drive_at_change;

  PickedDrives() {
    drives.signal_change().connect([this] {
      ++changes;
      drive_at_change = drives.Drive();
    });
  }
};

TEST_F(PickedDrives, SettingTheDriveSelectsItAndRaisesChangeWhenItDiffers) {
  EXPECT_EQ(drives.Drive(), "/");  // the drive of the current folder
  drives.Drive("/media/usb");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(drive_at_change, "/media/usb");
  drives.Drive("/media/usb/");
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(drives.Drive("/nowhere"), common::Error);
  EXPECT_EQ(drives.Drive(), "/media/usb");
}

TEST_F(PickedDrives, PickingFromTheListRaisesChange) {
  drives.set_selected(2);  // what choosing the third entry of the pop-up does
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(drive_at_change, "/mnt/data");
}

TEST_F(PickedDrives, FollowsMountsAndRaisesChangeWhenTheSelectedDriveGoesAway) {
  drives.Drive("/mnt/data");
  mounts.push_back({"/media/card", "exfat", false, ""});
  drives.Refresh();
  EXPECT_THAT(drives.Drives(), ElementsAre(Field(&Drive::mount_point, "/"),
                                           Field(&Drive::mount_point, "/media/card"),
                                           Field(&Drive::mount_point, "/media/usb"),
                                           Field(&Drive::mount_point, "/mnt/data")));
  EXPECT_EQ(drives.Drive(), "/mnt/data");

  mounts.erase(mounts.begin() + 2);  // /mnt/data goes away
  drives.Refresh();
  EXPECT_EQ(drives.Drive(), "/");
  EXPECT_EQ(drives.get_model()->get_n_items(), 3u);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(drive_at_change, "/");
}

}  // namespace
}  // namespace filemanager
