// What the system information tool tells about this machine, and how it finds out:
// only files a normal user may read (os-release, /proc) and statvfs. The display's
// facts come from the toolkit and are filled in by the window.
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
  std::string gtk_version;
  std::string webkit_version;
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

// The lines of a mounts table: device, mount point and type, with "\040"-style escapes
// decoded; sizes are left at zero.
std::vector<MountedFileSystem> ParseMounts(std::string_view text);

// Reads the facts of the system whose root folder is root ("/" for this machine). File
// systems without size (proc, sysfs and the like) are left out. The display's facts and
// the library versions stay empty.
SystemFacts ReadSystemFacts(const std::filesystem::path& root = "/");

}  // namespace sysinfo
