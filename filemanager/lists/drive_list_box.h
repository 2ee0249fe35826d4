// The drive list: a drop-down of "/" and the mounted file systems a user would
// browse. It follows mounts and unmounts while it exists.
#pragma once

#include <glibmm/main.h>
#include <gtkmm/dropdown.h>
#include <gtkmm/stringlist.h>

#include <functional>
#include <string>
#include <vector>

#include "common/client_area.h"
#include "filemanager/lists/drive_table.h"

namespace filemanager {

class DriveListBox : public common::Control<Gtk::DropDown> {
 public:
  using MountSource = std::function<std::vector<MountInfo>()>;

  // Shows the drive that holds the process's current folder. mounts gives the mount
  // table, read again whenever the system reports a mount or an unmount.
  explicit DriveListBox(MountSource mounts = CurrentMounts);
  ~DriveListBox() override;
  DriveListBox(const DriveListBox&) = delete;
  DriveListBox& operator=(const DriveListBox&) = delete;

  // The mount point of the selected drive, e.g. "/" or "/media/usb".
  std::string Drive() const;
  // Selects the drive mounted at mount_point (a trailing "/" or the like does not
  // matter), raising Change when that is another
  // drive than the selected one. Throws common::Error when no such drive is listed.
  void Drive(const std::string& mount_point);

  // Reads the mount table again; the selected drive stays selected while it is mounted.
  // Otherwise "/" is, with a Change, so that what shows the drive that went away
  // follows it.
  void Refresh();

  // The drives offered, in list order.
  const std::vector<filemanager::Drive>& Drives() const { return drives_; }

  // Another drive was picked.
  sigc::signal<void()>& signal_change() { return change_; }

 private:
  void Fill(const std::string& keep_mount_point);
  void Selection_Changed();
  bool MountTable_Changed(Glib::IOCondition condition);

  MountSource mounts_;
  std::vector<filemanager::Drive> drives_;
  Glib::RefPtr<Gtk::StringList> labels_;
  bool filling_ = false;
  int mount_table_;
  sigc::connection mount_watch_;
  sigc::signal<void()> change_;
};

}  // namespace filemanager
