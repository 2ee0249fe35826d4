// Staging names and the leftovers of processes that are gone.
#include "filemanager/operations/staging_name.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "filemanager/operations/error_text.h"

namespace filemanager {
namespace {

constexpr char kPrefix[] = ".tavvel-";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// This boot of this system with its process numbering, as 64 bits (FNV-1a of the boot
// id and the process namespace), or 0 when /proc cannot say.
std::uint64_t ThisSystem() {
  static const std::uint64_t system = [] {
    char pid_namespace[64] = {};
    const std::string boot = ReadAll("/proc/sys/kernel/random/boot_id");
    if (boot.empty() ||
        readlink("/proc/self/ns/pid", pid_namespace, sizeof pid_namespace - 1) <= 0) {
      return std::uint64_t{0};
    }
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : boot + pid_namespace) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ull;
    }
    return hash;
  }();
  return system;
}

// When the process started, in clock ticks since boot (field 22 of /proc/PID/stat), or 0
// when it cannot be read; zombie tells whether it has ended without being waited for.
std::uint64_t StartOf(pid_t pid, bool& zombie) {
  const std::string stat = ReadAll("/proc/" + std::to_string(pid) + "/stat");
  const auto name_end = stat.rfind(')');  // the command name may hold anything
  if (name_end == std::string::npos) return 0;
  std::istringstream fields(stat.substr(name_end + 1));
  std::string state;
  fields >> state;
  zombie = state == "Z" || state == "X";
  std::string field;
  for (int skip = 4; skip < 22 && fields >> field; ++skip) {
  }
  std::uint64_t start = 0;
  fields >> start;
  return start;
}

struct StagingOwner {
  std::uint64_t system;
  long pid;
  std::uint64_t start;
};

std::string Format(const StagingOwner& owner, std::uint64_t random) {
  char name[128];
  std::snprintf(name, sizeof name, "%s%016" PRIx64 "-%ld-%" PRIu64 "-%016" PRIx64 ".part", kPrefix,
                owner.system, owner.pid, owner.start, random);
  return name;
}

// Reads the owner out of a staging name; false for any other name.
bool Parse(const char* name, StagingOwner& owner) {
  if (std::strncmp(name, kPrefix, sizeof kPrefix - 1) != 0) return false;
  std::uint64_t random = 0;
  if (std::sscanf(name + sizeof kPrefix - 1, "%16" SCNx64 "-%ld-%" SCNu64 "-%16" SCNx64,
                  &owner.system, &owner.pid, &owner.start, &random) != 4) {
    return false;
  }
  // Only the exact spelling counts, so no other name is ever taken for one.
  return owner.pid > 0 && Format(owner, random) == name;
}

}  // namespace

std::string NewStagingName() {
  std::uint64_t random = 0;
  if (getrandom(&random, sizeof random, 0) != sizeof random) ThrowErrno(errno);
  bool zombie = false;
  const pid_t pid = getpid();
  return Format({ThisSystem(), static_cast<long>(pid), StartOf(pid, zombie)}, random);
}

bool IsStagingName(const char* name) {
  StagingOwner owner;
  return Parse(name, owner);
}

bool IsStaleStagingName(const char* name) {
  StagingOwner owner;
  if (!Parse(name, owner) || owner.system == 0 || owner.system != ThisSystem()) return false;
  const auto pid = static_cast<pid_t>(owner.pid);
  // No such process at all: gone, whoever may read /proc.
  if (kill(pid, 0) != 0 && errno == ESRCH) return true;
  bool zombie = false;
  const std::uint64_t start = StartOf(pid, zombie);
  if (start == 0) return false;  // cannot tell
  return zombie || start != owner.start;
}

void RemoveStaleStagingFiles(int folder_fd) {
  const int fd = openat(folder_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  DIR* folder = fdopendir(fd);
  if (!folder) {
    close(fd);
    return;
  }
  while (const dirent* entry = readdir(folder)) {
    if (IsStaleStagingName(entry->d_name)) unlinkat(folder_fd, entry->d_name, 0);
  }
  closedir(folder);
}

}  // namespace filemanager
