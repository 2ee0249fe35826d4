// The drive list: filling the drop-down from the mount table and keeping it current.
#include "filemanager/lists/drive_list_box.h"

#include <fcntl.h>
#include <glib.h>
#include <unistd.h>

#include "common/accessible.h"
#include "common/dispatch.h"
#include "common/errors.h"
#include "filemanager/lists/folder_path.h"

namespace filemanager {

DriveListBox::DriveListBox(MountSource mounts)
    : mounts_(std::move(mounts)),
      labels_(Gtk::StringList::create({})),
      // The kernel marks the open mount table when a mount or an unmount follows; GIO's
      // monitor starts on a thread of its own and misses what happens meanwhile.
      mount_table_(open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC)) {
  if (mount_table_ >= 0) {
    mount_watch_ = Glib::signal_io().connect(
        sigc::mem_fun(*this, &DriveListBox::MountTable_Changed), mount_table_,
        Glib::IOCondition::IO_ERR | Glib::IOCondition::IO_PRI);
  }
  set_model(labels_);
  common::SetAccessibleName(*this, "Drives");
  property_selected().signal_changed().connect(
      sigc::mem_fun(*this, &DriveListBox::Selection_Changed));

  char* current = g_get_current_dir();
  const std::string folder = NormalizeFolderPath(current, "/");
  g_free(current);
  Fill("");
  filling_ = true;
  set_selected(static_cast<guint>(DriveHolding(drives_, folder)));
  filling_ = false;
}

DriveListBox::~DriveListBox() {
  mount_watch_.disconnect();
  if (mount_table_ >= 0) close(mount_table_);
}

std::string DriveListBox::Drive() const {
  const guint selected = get_selected();
  return selected < drives_.size() ? drives_[selected].mount_point : "/";
}

void DriveListBox::Drive(const std::string& mount_point) {
  const std::string wanted =
      mount_point.empty() ? mount_point : NormalizeFolderPath(mount_point, "/");
  for (guint i = 0; i < drives_.size(); ++i) {
    if (drives_[i].mount_point != wanted) continue;
    // The drop-down raises Change through Selection_Changed when the drive differs.
    set_selected(i);
    return;
  }
  throw common::Error("No drive is mounted at " + DisplayName(mount_point.c_str()));
}

void DriveListBox::Fill(const std::string& keep_mount_point) {
  filling_ = true;
  drives_ = ChooseDrives(mounts_());
  std::vector<Glib::ustring> labels;
  guint keep = 0;
  for (guint i = 0; i < drives_.size(); ++i) {
    labels.push_back(drives_[i].label);
    if (drives_[i].mount_point == keep_mount_point) keep = i;
  }
  labels_->splice(0, labels_->get_n_items(), labels);
  set_selected(keep);
  filling_ = false;
}

void DriveListBox::Refresh() {
  const std::string selected = Drive();
  Fill(selected);
  if (Drive() != selected) change_.emit();
}

void DriveListBox::Selection_Changed() {
  if (!filling_) change_.emit();
}

bool DriveListBox::MountTable_Changed(Glib::IOCondition) {
  common::Dispatch([this] { Refresh(); });
  return true;
}

}  // namespace filemanager
