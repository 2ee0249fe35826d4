// The drive list's choice of mounts, by table, and on the running system.
#include "filemanager/lists/drive_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace filemanager {
namespace {

using testing::ElementsAre;
using testing::Field;

TEST(ChooseDrives, OffersRootFirstThenRealFileSystemsOnce) {
  const std::vector<MountInfo> mounts{
      {"/proc", "proc", true, "proc"},          {"/", "ext4", true, "Filesystem root"},
      {"/sys", "sysfs", true, "sys"},           {"/media/usb", "vfat", false, "STICK"},
      {"/mnt/backup", "ext4", false, "backup"}, {"/media/usb", "exfat", false, "CARD"},
      {"/snap/core/1", "squashfs", false, "1"}, {"/home/ann/remote", "fuse.sshfs", false, "remote"},
  };
  EXPECT_THAT(
      ChooseDrives(mounts),
      ElementsAre(Drive{"/", "/  [Filesystem root]"}, Drive{"/home/ann/remote", "/home/ann/remote"},
                  Drive{"/media/usb", "/media/usb  [CARD]"}, Drive{"/mnt/backup", "/mnt/backup"}));
}

TEST(ChooseDrives, OffersRootEvenWhenTheTableLacksIt) {
  EXPECT_THAT(ChooseDrives({}), ElementsAre(Field(&Drive::mount_point, "/")));
}

TEST(DriveHolding, FindsTheDeepestMountPointHoldingAPath) {
  const std::vector<Drive> drives{
      {"/", ""}, {"/media/usb", ""}, {"/media/usb/inner", ""}, {"/mnt", ""}};
  EXPECT_EQ(DriveHolding(drives, "/media/usb/docs"), 1u);
  EXPECT_EQ(DriveHolding(drives, "/media/usb/inner/x"), 2u);
  EXPECT_EQ(DriveHolding(drives, "/media/usb"), 1u);
  EXPECT_EQ(DriveHolding(drives, "/media/usbstick"), 0u);
  EXPECT_EQ(DriveHolding(drives, "/etc"), 0u);
}

TEST(CurrentMounts, GiveRootAndNoPseudoFileSystems) {
  const std::vector<Drive> drives = ChooseDrives(CurrentMounts());
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front().mount_point, "/");
  for (const Drive& drive : drives) {
    EXPECT_FALSE(drive.mount_point.starts_with("/proc")) << drive.mount_point;
    EXPECT_FALSE(drive.mount_point.starts_with("/sys")) << drive.mount_point;
    EXPECT_FALSE(drive.mount_point.starts_with("/dev")) << drive.mount_point;
  }
}

}  // namespace
}  // namespace filemanager
