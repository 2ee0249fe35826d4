// Choosing the drive list's entries from the system's mount table.
#include "filemanager/lists/drive_table.h"

#include <gio/gunixmounts.h>

#include <map>

#include "filemanager/lists/folder_path.h"

namespace filemanager {

namespace {

bool Browsable(const MountInfo& mount) {
  // Read-only package images (snaps and the like) are not internal to GIO, but
  // nobody browses them as a drive.
  return !mount.system_internal && mount.fs_type != "squashfs" && mount.mount_point != "/";
}

std::string Label(const std::string& mount_point, const std::string& name) {
  const std::string shown = DisplayName(mount_point.c_str());
  if (name.empty() || name == LastComponent(mount_point)) return shown;
  return shown + "  [" + name + "]";
}

std::string RootName(const std::vector<MountInfo>& mounts) {
  for (const MountInfo& mount : mounts)
    if (mount.mount_point == "/") return mount.name;
  return {};
}

}  // namespace

std::vector<Drive> ChooseDrives(const std::vector<MountInfo>& mounts) {
  // A mount point mounted over again shows once, with what is mounted there last.
  std::map<std::string, const MountInfo*> browsable;
  for (const MountInfo& mount : mounts)
    if (Browsable(mount)) browsable[mount.mount_point] = &mount;
  std::vector<Drive> drives{{"/", Label("/", RootName(mounts))}};
  for (const auto& [mount_point, mount] : browsable)
    drives.push_back({mount_point, Label(mount_point, mount->name)});
  return drives;
}

std::vector<MountInfo> CurrentMounts() {
  std::vector<MountInfo> mounts;
  GList* entries = g_unix_mounts_get(nullptr);
  for (GList* item = entries; item; item = item->next) {
    auto* entry = static_cast<GUnixMountEntry*>(item->data);
    char* name = g_unix_mount_guess_name(entry);
    mounts.push_back({g_unix_mount_get_mount_path(entry), g_unix_mount_get_fs_type(entry),
                      g_unix_mount_is_system_internal(entry) != FALSE, name ? name : ""});
    g_free(name);
  }
  g_list_free_full(entries, reinterpret_cast<GDestroyNotify>(g_unix_mount_free));
  return mounts;
}

std::size_t DriveHolding(const std::vector<Drive>& drives, const std::string& path) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < drives.size(); ++i) {
    const std::string& mount_point = drives[i].mount_point;
    const bool holds = path == mount_point || path.starts_with(mount_point + "/");
    if (holds && mount_point.size() > drives[best].mount_point.size()) best = i;
  }
  return best;
}

}  // namespace filemanager
