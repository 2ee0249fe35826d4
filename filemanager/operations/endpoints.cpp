// Opening the source and destination of an operation and the checks made on them
// before any data moves.
#include "filemanager/operations/endpoints.h"

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "common/errors.h"
#include "filemanager/operations/error_text.h"

namespace filemanager {

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

namespace {

bool SameTime(const struct timespec& a, const struct timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

}  // namespace

bool Unchanged(const struct stat& then, const struct stat& now) {
  return SameEntry(then, now) && then.st_size == now.st_size &&
         SameTime(then.st_mtim, now.st_mtim) && SameTime(then.st_ctim, now.st_ctim);
}

SourceNow CompareSource(int fd, const struct stat& then) {
  struct stat now;
  if (fstat(fd, &now) != 0) ThrowErrno(errno);
  if (now.st_nlink == 0) return SourceNow::kRemoved;
  return Unchanged(then, now) ? SourceNow::kAsCopied : SourceNow::kChanged;
}

Destination OpenDestination(const std::string& path) {
  const auto slash = path.rfind('/');
  Destination destination;
  std::string folder;
  if (slash == std::string::npos) {
    folder = ".";
    destination.name = path;
  } else {
    folder = slash == 0 ? "/" : path.substr(0, slash);
    destination.name = path.substr(slash + 1);
  }
  if (destination.name.empty()) throw common::Error(kNoFileName);
  destination.folder = UniqueFd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!destination.folder) {
    if (errno == ENOENT) throw common::Error(kNoSuchFolder);
    ThrowErrno(errno);
  }
  return destination;
}

struct stat StatusOfEntry(const std::string& path) {
  struct stat status;
  if (fstatat(AT_FDCWD, path.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) ThrowErrno(errno);
  return status;
}

UniqueFd OpenRegularSource(const std::string& path, bool follow_symlink, struct stat& status) {
  // Looking before opening keeps devices from being opened at all (opening some has
  // effects, such as rewinding a tape); O_NONBLOCK keeps a named pipe that takes the
  // file's place meanwhile from blocking the open, and the check on the open file
  // settles it.
  if (fstatat(AT_FDCWD, path.c_str(), &status, follow_symlink ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
    ThrowErrno(errno);
  }
  if (S_ISLNK(status.st_mode)) throw common::Error("Not a regular file: it is a symbolic link");
  RefuseNonRegular(status.st_mode);
  const int no_follow = follow_symlink ? 0 : O_NOFOLLOW;
  UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | no_follow));
  if (!fd) ThrowErrno(errno);
  if (fstat(fd.get(), &status) != 0) ThrowErrno(errno);
  RefuseNonRegular(status.st_mode);
  return fd;
}

namespace {

bool CannotStore(int error) {
  return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

// Copies what extended attributes the destination's file system takes and the user may
// set; one refused (a namespace the user may not write, a file system without them)
// is left out, as mv does.
void CopyExtendedAttributes(int from, int to) {
  std::vector<char> names(1024);
  ssize_t length;
  while ((length = flistxattr(from, names.data(), names.size())) < 0 && errno == ERANGE) {
    names.resize(names.size() * 4);
  }
  if (length <= 0) return;
  std::vector<char> value(4096);
  for (const char* name = names.data(); name < names.data() + length;
       name += std::strlen(name) + 1) {
    ssize_t size;
    while ((size = fgetxattr(from, name, value.data(), value.size())) < 0 && errno == ERANGE) {
      value.resize(value.size() * 4);
    }
    if (size >= 0) fsetxattr(to, name, value.data(), static_cast<std::size_t>(size), 0);
  }
}

}  // namespace

void RefuseExisting(const Destination& destination, const struct stat& source,
                    const struct stat* followed_source) {
  struct stat entry;
  if (fstatat(destination.folder.get(), destination.name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) !=
      0) {
    if (errno == ENOENT) return;
    ThrowErrno(errno);
  }
  struct stat target;
  const bool resolves =
      fstatat(destination.folder.get(), destination.name.c_str(), &target, 0) == 0;
  if (SameEntry(source, entry) || (resolves && SameEntry(source, target)) ||
      (followed_source && SameEntry(*followed_source, entry))) {
    throw common::Error(kSameFile);
  }
  throw common::Error(kFileExists);
}

void KeepAttributes(int from, int to, const struct stat& source, Keep keep) {
  mode_t mode = source.st_mode & 0777;
  if (keep == Keep::kEverything) {
    CopyExtendedAttributes(from, to);
    // Only an administrator may give a file away; a file that keeps its owner may keep
    // its set-id bits, one that changes owner must not (that would hand out the mover's
    // rights).
    if (fchown(to, source.st_uid, source.st_gid) == 0) mode = source.st_mode & 07777;
  }
  // A file system that cannot store the bits or times (FAT on a memory stick, some
  // network shares) refuses them; the copy is still wanted there, as cp makes it.
  if (fchmod(to, mode) != 0 && !CannotStore(errno)) ThrowErrno(errno);
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  if (futimens(to, times) != 0 && !CannotStore(errno)) ThrowErrno(errno);
}

}  // namespace filemanager
