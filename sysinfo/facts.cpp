// Reads this machine's facts from the files that tell them (see facts.h).
#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <sstream>

#include "common/gpu.h"
#include "sysinfo/facts.h"

namespace sysinfo {

namespace {

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream stream(file);
  std::ostringstream text;
  text << stream.rdbuf();
  return text.str();
}

std::string FirstLine(const std::filesystem::path& file) {
  std::string text = ReadText(file);
  return text.substr(0, text.find('\n'));
}

std::string Or(std::string text, const char* otherwise) { return text.empty() ? otherwise : text; }

// The words that are not empty, a space apart.
std::string Words(std::initializer_list<std::string> words) {
  std::string text;
  for (const std::string& word : words)
    if (!word.empty()) text += (text.empty() ? "" : " ") + word;
  return text;
}

// Whether a later mount of a file system already listed takes its place (see
// VisibleMounts).
bool Replaces(const MountedFileSystem& later, const MountedFileSystem& listed) {
  if (later.mount_point == listed.mount_point) return true;
  const bool named = later.device.find('/') != std::string::npos;
  const bool listed_named = listed.device.find('/') != std::string::npos;
  const bool nearer_root = later.mount_point.size() < listed.mount_point.size();
  const bool only_a_folder = later.root.size() > listed.root.size();
  return (named && !listed_named) || (nearer_root && !only_a_folder);
}

// A mount point below root: the tests give the machine a root of its own.
std::filesystem::path Below(const std::filesystem::path& root, const std::string& mount_point) {
  return root / std::filesystem::path(mount_point).relative_path();
}

}  // namespace

std::vector<MountedFileSystem> VisibleMounts(const std::vector<MountedFileSystem>& mounts) {
  std::vector<MountedFileSystem> listed;
  for (const MountedFileSystem& mount : mounts) {
    const auto same = std::find_if(listed.begin(), listed.end(), [&](const auto& earlier) {
      return earlier.mount_point == mount.mount_point ||
             (!mount.device_number.empty() && earlier.device_number == mount.device_number);
    });
    if (same == listed.end())
      listed.push_back(mount);
    else if (Replaces(mount, *same))
      *same = mount;
  }
  return listed;
}

SystemFacts ReadSystemFacts(const std::filesystem::path& root) {
  SystemFacts facts;
  auto release = ParseOsRelease(ReadText(root / "etc/os-release"));
  if (release.empty()) release = ParseOsRelease(ReadText(root / "usr/lib/os-release"));
  facts.os_name = release.contains("NAME") ? release["NAME"] : release["PRETTY_NAME"];
  facts.os_version = release.contains("VERSION") ? release["VERSION"] : release["VERSION_ID"];

  // Some sandboxes hide /proc/sys; uname tells the same.
  utsname names{};
  uname(&names);
  const std::string machine = names.machine;
  facts.kernel = Words({Or(FirstLine(root / "proc/sys/kernel/ostype"), names.sysname),
                        Or(FirstLine(root / "proc/sys/kernel/osrelease"), names.release),
                        machine.empty() ? "" : "(" + machine + ")"});
  facts.host_name = Or(FirstLine(root / "proc/sys/kernel/hostname"), names.nodename);

  const CpuInfo cpu = ParseCpuInfo(ReadText(root / "proc/cpuinfo"));
  facts.cpu_model = cpu.model;
  facts.cpu_count = cpu.count;
  const MemInfo memory = ParseMemInfo(ReadText(root / "proc/meminfo"));
  facts.memory_total_bytes = memory.total_bytes;
  facts.memory_available_bytes = memory.available_bytes;
  facts.uptime_seconds = ParseUptime(ReadText(root / "proc/uptime"));

  facts.gpu_acceleration = common::UsesGpu(root / "dev/dri");

  // The mount table with device numbers, or else the plain one that older kernels have.
  const std::string table = ReadText(root / "proc/self/mountinfo");
  const auto mounts =
      table.empty() ? ParseMounts(ReadText(root / "proc/self/mounts")) : ParseMountInfo(table);
  for (MountedFileSystem& mount : VisibleMounts(mounts)) {
    struct statvfs sizes;
    if (statvfs(Below(root, mount.mount_point).c_str(), &sizes) != 0 || sizes.f_blocks == 0)
      continue;
    mount.size_bytes = static_cast<std::uint64_t>(sizes.f_blocks) * sizes.f_frsize;
    mount.free_bytes = static_cast<std::uint64_t>(sizes.f_bavail) * sizes.f_frsize;
    facts.file_systems.push_back(std::move(mount));
  }
  return facts;
}

}  // namespace sysinfo
