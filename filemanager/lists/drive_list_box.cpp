// The drive list: filling the drop-down from the mount table and keeping it current.
#include "filemanager/lists/drive_list_box.h"

#include <glib.h>

#include "common/accessible.h"
#include "common/dispatch.h"
#include "common/errors.h"
#include "filemanager/lists/folder_path.h"

namespace filemanager {

DriveListBox::DriveListBox(MountSource mounts)
    : mounts_(std::move(mounts)),
      labels_(Gtk::StringList::create({})),
      monitor_(g_unix_mount_monitor_get()),
      monitor_handler_(g_signal_connect(monitor_, "mounts-changed",
                                        G_CALLBACK(&DriveListBox::Mounts_Changed), this)) {
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
  g_signal_handler_disconnect(monitor_, monitor_handler_);
  g_object_unref(monitor_);
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

void DriveListBox::Refresh() { Fill(Drive()); }

void DriveListBox::Selection_Changed() {
  if (!filling_) change_.emit();
}

void DriveListBox::Mounts_Changed(GUnixMountMonitor*, gpointer self) {
  common::Dispatch([self] { static_cast<DriveListBox*>(self)->Refresh(); });
}

}  // namespace filemanager
