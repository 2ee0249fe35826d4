// What the system information tool tells about this machine, and how it finds out:
// only files a normal user may read (os-release, /proc, /dev/dri), uname and statvfs.
// The display's facts come from the toolkit and are filled in by the window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sysinfo {

struct MountedFileSystem {
  std::string device;
  std::string mount_point;
  std::string type;
  std::uint64_t size_bytes = 0;
  std::uint64_t free_bytes = 0;  // free for a normal user
  // The kernel's "major:minor" of the file system (empty when not known), and the
  // folder of it that is mounted: "/" but for a bind mount of a folder.
  std::string device_number{};
  std::string root{};
  bool operator==(const MountedFileSystem&) const = default;
};

struct SystemFacts {
  std::string os_name;
  std::string os_version;
  std::string kernel;
  std::string host_name;
  std::string cpu_model;
  unsigned cpu_count = 0;
  std::optional<std::uint64_t> memory_total_bytes;
  std::optional<std::uint64_t> memory_available_bytes;
  std::optional<double> uptime_seconds;
  std::vector<MountedFileSystem> file_systems;
  std::string display_server;
  int screen_width = 0;
  int screen_height = 0;
  bool gpu_acceleration = false;
  std::string gtk_version;
  std::string webkit_version;
  std::string korvo_version;
};

// KEY=value lines of os-release; values may be quoted with " or ' and, inside double
// quotes, hold \" \\ \$ \` escapes.
std::map<std::string, std::string> ParseOsRelease(std::string_view text);

struct CpuInfo {
  std::string model;
  unsigned count = 0;
};
// The first processor's model name and the number of processors listed.
CpuInfo ParseCpuInfo(std::string_view text);

struct MemInfo {
  std::optional<std::uint64_t> total_bytes;
  std::optional<std::uint64_t> available_bytes;
};
MemInfo ParseMemInfo(std::string_view text);

// The first number of /proc/uptime: seconds since boot.
std::optional<double> ParseUptime(std::string_view text);

// The lines of a mounts table (/proc/self/mounts): device, mount point and type, with
// "\040"-style escapes decoded; sizes are left at zero.
std::vector<MountedFileSystem> ParseMounts(std::string_view text);

// The lines of /proc/self/mountinfo: as ParseMounts, with the device number and root.
std::vector<MountedFileSystem> ParseMountInfo(std::string_view text);

// The mounts as df lists them, each file system once, in the order of the table:
// - a later mount on the same mount point hides the earlier one, which goes;
// - a file system mounted at several places (a bind mount) is listed at one of them:
//   where its device is named by a path ("/dev/vda" rather than "none"), else where it
//   is nearest the root of the folder tree, unless that mount shows only a folder of
//   it; else where it was mounted first.
std::vector<MountedFileSystem> VisibleMounts(const std::vector<MountedFileSystem>& mounts);

// Reads the facts of the system whose root folder is root ("/" for this machine). The
// kernel and the host name come from uname where /proc/sys does not tell them. File
// systems are those of VisibleMounts that have a size (not proc, sysfs and the like).
// The display's facts and the program versions stay empty.
SystemFacts ReadSystemFacts(const std::filesystem::path& root = "/");

// The version of the WebKitGTK library that a program of ours loads on this machine,
// "2.50.6", or empty when there is none. Loading the library takes tens of
// milliseconds: ask once the window shows.
std::string InstalledWebKitVersion();

}  // namespace sysinfo
