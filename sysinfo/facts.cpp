// Reads this machine's facts from the files that tell them (see facts.h).
#include <sys/statvfs.h>
#include <sys/utsname.h>

#include <fstream>
#include <sstream>

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

// A mount point below root: the tests give the machine a root of its own.
std::filesystem::path Below(const std::filesystem::path& root, const std::string& mount_point) {
  return root / std::filesystem::path(mount_point).relative_path();
}

}  // namespace

SystemFacts ReadSystemFacts(const std::filesystem::path& root) {
  SystemFacts facts;
  auto release = ParseOsRelease(ReadText(root / "etc/os-release"));
  if (release.empty()) release = ParseOsRelease(ReadText(root / "usr/lib/os-release"));
  facts.os_name = release.contains("NAME") ? release["NAME"] : release["PRETTY_NAME"];
  facts.os_version = release.contains("VERSION") ? release["VERSION"] : release["VERSION_ID"];

  facts.kernel = FirstLine(root / "proc/sys/kernel/ostype") + " " +
                 FirstLine(root / "proc/sys/kernel/osrelease");
  if (utsname names; uname(&names) == 0) facts.kernel += std::string(" (") + names.machine + ")";
  facts.host_name = FirstLine(root / "proc/sys/kernel/hostname");

  const CpuInfo cpu = ParseCpuInfo(ReadText(root / "proc/cpuinfo"));
  facts.cpu_model = cpu.model;
  facts.cpu_count = cpu.count;
  const MemInfo memory = ParseMemInfo(ReadText(root / "proc/meminfo"));
  facts.memory_total_bytes = memory.total_bytes;
  facts.memory_available_bytes = memory.available_bytes;
  facts.uptime_seconds = ParseUptime(ReadText(root / "proc/uptime"));

  for (MountedFileSystem& mount : ParseMounts(ReadText(root / "proc/self/mounts"))) {
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
