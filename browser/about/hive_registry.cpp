// The registry over hive files (see hive_registry.h).
#include "browser/about/hive_registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace browser::registry {

namespace {

const char* RootName(HKey root) {
  switch (root) {
    case HKEY_CLASSES_ROOT:
      return "HKEY_CLASSES_ROOT";
    case HKEY_CURRENT_USER:
      return "HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
      return "HKEY_LOCAL_MACHINE";
    case HKEY_USERS:
      return "HKEY_USERS";
    default:
      return nullptr;
  }
}

bool InGroup(gid_t group) {
  if (group == getegid()) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.end();
}

// The class of the caller (owner, group or others) picks the mode bits that apply,
// for root as for anyone.
bool ModeAllows(const struct stat& status, bool write) {
  mode_t bit;
  if (status.st_uid == geteuid())
    bit = write ? S_IWUSR : S_IRUSR;
  else if (InGroup(status.st_gid))
    bit = write ? S_IWGRP : S_IRGRP;
  else
    bit = write ? S_IWOTH : S_IROTH;
  return (status.st_mode & bit) != 0;
}

// Owns an open file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads what is left of fd, at most limit bytes; nothing when more arrive or a read fails.
std::optional<std::string> ReadAtMost(int fd, std::size_t limit, std::size_t size_hint) {
  std::string text;
  text.reserve(std::min(size_hint, limit) + 1);
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got == 0) return text;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 || text.size() + static_cast<std::size_t>(got) > limit) return std::nullopt;
    text.append(chunk, static_cast<std::size_t>(got));
  }
}

// Sub-key names are separated by "\"; every one must have a name.
bool ValidSubKey(const std::string& sub_key) {
  if (sub_key.empty()) return true;
  return sub_key.front() != '\\' && sub_key.back() != '\\' &&
         sub_key.find("\\\\") == std::string::npos;
}

}  // namespace

std::filesystem::path HiveRegistry::FolderBeside(const std::filesystem::path& executable) {
  return (executable.parent_path() / ".." / "share" / "korvo" / "registry").lexically_normal();
}

std::filesystem::path HiveRegistry::FolderOfThisProgram() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return FolderBeside(error ? std::filesystem::path() : executable);
}

LStatus HiveRegistry::LoadHive(const std::filesystem::path& file, bool write,
                               std::shared_ptr<const Hive>& hive) const {
  // One open, and every check on what it opened. Opened for writing when write rights
  // are asked for, so the kernel's answer (access control lists, read-only mounts)
  // counts; without blocking, so a FIFO or a device put in the hive's place is refused
  // instead of waited on.
  const Descriptor fd(open(file.c_str(), (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return ERROR_FILE_NOT_FOUND;
    if (errno == EACCES || errno == EPERM || errno == EROFS) return ERROR_ACCESS_DENIED;
    return ERROR_BADDB;
  }
  struct stat status;
  if (fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return ERROR_BADDB;
  if (!ModeAllows(status, false) || (write && !ModeAllows(status, true)))
    return ERROR_ACCESS_DENIED;
  // The size told may be wrong (files under /proc) or grow meanwhile: the bytes read count.
  auto text = ReadAtMost(fd.get(), kMaxHiveBytes, static_cast<std::size_t>(status.st_size));
  if (!text) return ERROR_BADDB;
  auto parsed = ParseHive(std::move(*text), file.stem().string());
  if (!parsed) return ERROR_BADDB;
  hive = std::make_shared<const Hive>(std::move(*parsed));
  return ERROR_SUCCESS;
}

LStatus HiveRegistry::RegOpenKeyEx(HKey root, const std::string& sub_key, std::uint32_t,
                                   std::uint32_t sam_desired, HKey& result) {
  std::filesystem::path file;
  std::string path;
  if (const char* name = RootName(root)) {
    file = folder_ / (std::string(name) + ".reg");
  } else if (auto parent = open_.find(root); parent != open_.end()) {
    file = parent->second.file;
    path = parent->second.path;
  } else {
    return ERROR_INVALID_HANDLE;
  }
  if (!ValidSubKey(sub_key)) return ERROR_BAD_PATHNAME;
  if (!sub_key.empty()) path += (path.empty() ? "" : "\\") + FoldCase(sub_key);

  std::shared_ptr<const Hive> hive;
  if (const LStatus status = LoadHive(file, (sam_desired & kWriteRights) != 0, hive);
      status != ERROR_SUCCESS)
    return status;
  if (!hive->HasKey(path)) return ERROR_FILE_NOT_FOUND;
  result = next_handle_++;
  open_[result] = OpenKey{file, std::move(hive), std::move(path)};
  return ERROR_SUCCESS;
}

LStatus HiveRegistry::RegQueryValueEx(HKey key, const std::string& value_name, std::uint32_t& type,
                                      std::uint8_t* data, std::uint32_t& size) {
  const auto open = open_.find(key);
  if (open == open_.end()) return ERROR_INVALID_HANDLE;
  const auto value = open->second.hive->FindValue(open->second.path, FoldCase(value_name));
  if (!value) return ERROR_FILE_NOT_FOUND;
  const auto& bytes = value->data;
  const auto length = static_cast<std::uint32_t>(bytes.size());
  type = value->type;
  const std::uint32_t room = size;
  size = length;
  if (!data) return ERROR_SUCCESS;
  if (length > room) return ERROR_MORE_DATA;
  std::copy(bytes.begin(), bytes.end(), data);
  return ERROR_SUCCESS;
}

LStatus HiveRegistry::RegCloseKey(HKey key) {
  if (RootName(key)) return ERROR_SUCCESS;
  return open_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace browser::registry
