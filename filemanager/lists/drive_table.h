// Which mounted file systems the drive list offers: "/" and the real file systems a
// user would browse, as GIO's mount rules decide (no proc, sysfs, cgroup, devpts and
// the like), each once, by mount point.
#pragma once

#include <string>
#include <vector>

namespace filemanager {

// One mounted file system as the system reports it.
struct MountInfo {
  std::string mount_point;
  std::string fs_type;
  bool system_internal = false;  // GIO's verdict: part of the system, not for browsing
  std::string name;              // GIO's guess at a readable name, may be empty
};

struct Drive {
  std::string mount_point;  // exact bytes
  std::string label;        // what the list shows
  bool operator==(const Drive&) const = default;
};

// "/" first, then the browsable mounts ordered by mount point, each mount point once.
std::vector<Drive> ChooseDrives(const std::vector<MountInfo>& mounts);

// The mounts of the running system.
std::vector<MountInfo> CurrentMounts();

// The index of the drive whose mount point holds path (the deepest one); drives[0]
// ("/") when no other does.
std::size_t DriveHolding(const std::vector<Drive>& drives, const std::string& path);

}  // namespace filemanager
