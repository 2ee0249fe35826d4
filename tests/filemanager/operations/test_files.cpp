// Real files for the operations tests; see test_files.h.
#include "test_files.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace testing_files {
namespace {

std::string Why(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

TempFolder::TempFolder(const std::string& base) : TemporaryFolder(base, "ops-test") {
  if (Path().empty()) throw std::runtime_error(Why("mkdtemp " + base));
}

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Path())) {
    names.push_back(entry.path().filename().native());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void WriteFile(const std::string& path, const std::string& contents, mode_t mode) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) throw std::runtime_error(Why("create " + path));
  const bool written =
      write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
  close(fd);
  if (!written) throw std::runtime_error(Why("write " + path));
  if (chmod(path.c_str(), mode) != 0) throw std::runtime_error(Why("chmod " + path));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::string contents(std::filesystem::file_size(path), '\0');
  in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (in.gcount() != static_cast<std::streamsize>(contents.size())) {
    throw std::runtime_error("short read of " + path);
  }
  return contents;
}

std::string PatternBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  unsigned state = seed * 2654435761u + 1;
  for (auto& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 16);
  }
  return bytes;
}

struct stat StatusOf(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) throw std::runtime_error(Why("stat " + path));
  return status;
}

struct stat LStatusOf(const std::string& path) {
  struct stat status;
  if (lstat(path.c_str(), &status) != 0) throw std::runtime_error(Why("lstat " + path));
  return status;
}

bool Exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

void RecordingMonitor::Progress(std::uint64_t done, std::uint64_t total) {
  calls.emplace_back(done, total);
  if (on_progress) on_progress();
}

bool RecordingMonitor::Cancelled() const {
  return cancel_at_call >= 0 && static_cast<int>(calls.size()) >= cancel_at_call;
}

SmallFileSystem::SmallFileSystem(const std::string& size) {
  const std::string options = "size=" + size;
  if (mount("tavvel-test", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0) {
    mounted_ = true;
  } else {
    reason_ = Why("this machine does not let the test mount a small tmpfs");
  }
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) umount2(folder_.path().c_str(), MNT_DETACH);
}

namespace {

std::string SetImmutable(const std::string& path, bool immutable) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Why("open " + path);
  int flags = 0;
  std::string why_not;
  if (ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
    why_not = Why("the file system keeps no file attributes");
  } else {
    flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    if (ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0) {
      why_not = Why("the immutable attribute cannot be set here (it needs CAP_LINUX_IMMUTABLE)");
    }
  }
  close(fd);
  return why_not;
}

}  // namespace

std::string LockFolder(const std::string& folder, bool locked) {
  if (!locked) {
    SetImmutable(folder, false);
    chmod(folder.c_str(), 0755);
    return "";
  }
  const std::string no_attribute = SetImmutable(folder, true);
  if (no_attribute.empty()) return "";
  chmod(folder.c_str(), 0555);
  if (access(folder.c_str(), W_OK) != 0) return "";
  chmod(folder.c_str(), 0755);
  return no_attribute + "; and permissions do not bind the administrator";
}

std::string OtherFileSystemBase(std::string& why_not) {
  const std::string other = "/dev/shm";
  struct stat here, there;
  if (stat(".", &here) != 0 || stat(other.c_str(), &there) != 0 ||
      access(other.c_str(), W_OK) != 0) {
    why_not = Why("no writable " + other + " beside the build folder");
    return "";
  }
  // A rename between two mounted file systems fails with EXDEV, whatever their kinds.
  if (here.st_dev == there.st_dev) {
    why_not = "the build folder is on the same file system as " + other;
    return "";
  }
  return other;
}

}  // namespace testing_files
