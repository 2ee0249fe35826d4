// Staging a new file in its destination folder and putting it in place without
// replacing anything. The unnamed O_TMPFILE file is the first choice: nothing of it is
// ever visible until linkat gives it its name, and the kernel frees it if the program
// dies. File systems without it get a hidden name created with O_EXCL, which a later
// operation there removes if its process died before it could.
#include "filemanager/operations/staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/errors.h"
#include "filemanager/operations/endpoints.h"
#include "filemanager/operations/error_text.h"
#include "filemanager/operations/staging_name.h"

namespace filemanager {
namespace {

bool LacksSupport(int error) { return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP; }

}  // namespace

int LinkThenUnlink(int from_folder, const char* from_name, int to_folder, const char* to_name) {
  if (linkat(from_folder, from_name, to_folder, to_name, 0) != 0) return errno;
  if (unlinkat(from_folder, from_name, 0) != 0) {
    const int error = errno;
    unlinkat(to_folder, to_name, 0);
    ThrowErrno(error);
  }
  return 0;
}

void RenameOverReservedName(int from_folder, const char* from_name, int to_folder,
                            const char* to_name) {
  UniqueFd claim(openat(to_folder, to_name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!claim) ThrowErrno(errno);
  if (renameat(from_folder, from_name, to_folder, to_name) != 0) {
    const int error = errno;
    struct stat ours, now;
    if (fstat(claim.get(), &ours) == 0 &&
        fstatat(to_folder, to_name, &now, AT_SYMLINK_NOFOLLOW) == 0 && SameEntry(ours, now)) {
      unlinkat(to_folder, to_name, 0);
    }
    ThrowErrno(error);
  }
}

bool MoveNameWithoutReplacing(int from_folder, const char* from_name, int to_folder,
                              const char* to_name) {
  if (renameat2(from_folder, from_name, to_folder, to_name, RENAME_NOREPLACE) == 0) return true;
  if (errno == EXDEV) return false;
  if (!LacksSupport(errno)) ThrowErrno(errno);
  const int link_error = LinkThenUnlink(from_folder, from_name, to_folder, to_name);
  if (link_error == 0) return true;
  if (link_error == EXDEV) return false;
  // File systems without hard links say EPERM or EOPNOTSUPP; any other error stands.
  if (link_error != EPERM && link_error != EOPNOTSUPP && link_error != ENOSYS) {
    ThrowErrno(link_error);
  }
  RenameOverReservedName(from_folder, from_name, to_folder, to_name);
  return true;
}

StagedFile::StagedFile(int folder_fd, Method method) : folder_fd_(folder_fd) {
  if (method == Method::kAnonymous) {
    fd_ = UniqueFd(openat(folder_fd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (fd_) return;
    // EISDIR: a kernel without O_TMPFILE; EOPNOTSUPP: a file system without it.
    if (errno != EOPNOTSUPP && errno != EISDIR) ThrowErrno(errno);
  }
  CreateHidden();
}

void StagedFile::CreateHidden() {
  // What a tavvel that was killed mid-copy left here goes the next time one writes here.
  RemoveStaleStagingFiles(folder_fd_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = NewStagingName();
    fd_ = UniqueFd(openat(folder_fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (fd_) {
      hidden_name_ = name;
      return;
    }
    if (errno != EEXIST) ThrowErrno(errno);
  }
  ThrowErrno(EEXIST);
}

StagedFile::~StagedFile() {
  if (!hidden_name_.empty()) unlinkat(folder_fd_, hidden_name_.c_str(), 0);
}

void StagedFile::Commit(const std::string& name) {
  if (hidden_name_.empty()) {
    CommitAnonymous(name);
  } else {
    // Both names are in one folder, so EXDEV would mean a file system that refuses
    // even that; the hidden file then stays hidden and is removed.
    if (!MoveNameWithoutReplacing(folder_fd_, hidden_name_.c_str(), folder_fd_, name.c_str())) {
      ThrowErrno(EXDEV);
    }
    hidden_name_.clear();
  }
  committed_name_ = name;
}

void StagedFile::CommitAnonymous(const std::string& name) {
  if (linkat(fd_.get(), "", folder_fd_, name.c_str(), AT_EMPTY_PATH) == 0) return;
  // Linking by descriptor needs a privilege most users lack; the descriptor's entry
  // under /proc is the documented way for everyone else.
  if (errno == ENOENT || errno == EPERM) {
    char proc_path[64];
    std::snprintf(proc_path, sizeof proc_path, "/proc/self/fd/%d", fd_.get());
    if (linkat(AT_FDCWD, proc_path, folder_fd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return;
  }
  ThrowErrno(errno);
}

void StagedFile::Withdraw() {
  if (committed_name_.empty()) return;
  struct stat ours, now;
  if (fstat(fd_.get(), &ours) == 0 &&
      fstatat(folder_fd_, committed_name_.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
      SameEntry(ours, now)) {
    unlinkat(folder_fd_, committed_name_.c_str(), 0);
  }
  committed_name_.clear();
}

}  // namespace filemanager
