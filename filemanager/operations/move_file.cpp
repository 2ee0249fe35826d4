// Moving an entry. Within one file system a move is one rename that replaces nothing.
// Across file systems the file is copied, the copy flushed to disk and put in place,
// and only then is the source removed, and only if it is still the file that was
// copied; if it changed or cannot be removed, the copy is taken back, so the file is in
// exactly one place afterwards.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "common/errors.h"
#include "filemanager/operations/copy_contents.h"
#include "filemanager/operations/endpoints.h"
#include "filemanager/operations/error_text.h"
#include "filemanager/operations/file_operations.h"
#include "filemanager/operations/staged_file.h"

namespace filemanager {
namespace {

void Fsync(int fd) {
  if (fsync(fd) != 0) ThrowErrno(errno);
}

// Removes the source once its copy is safely in place, but only when its name still
// leads to the very entry that was copied, unchanged. When it does not, the copy is
// taken back by undo() and the source left as it is, unless the entry copied has no
// name left at all (gone() says so): then the copy is the only one and stays.
template <class Gone, class Undo>
void RemoveSource(const std::string& source, const struct stat& moved, Gone&& gone, Undo&& undo) {
  struct stat now;
  const bool named = fstatat(AT_FDCWD, source.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0;
  if (!named || !Unchanged(moved, now)) {
    if (gone(named)) return;
    undo();
    throw common::Error(kChangedMeanwhile);
  }
  if (unlink(source.c_str()) != 0) {
    const int error = errno;
    undo();
    ThrowErrno(error);
  }
}

void MoveRegularAcross(const std::string& source, const Destination& to,
                       OperationMonitor& monitor) {
  struct stat status;
  const UniqueFd from = OpenRegularSource(source, /*follow_symlink=*/false, status);
  StagedFile staged(to.folder.get());
  CopyContents(from.get(), staged.fd(), status, monitor, /*start_writeback=*/true);
  KeepAttributes(from.get(), staged.fd(), status, Keep::kEverything);
  Fsync(staged.fd());
  // A source changed meanwhile stays as it is and the copy, never committed, vanishes;
  // one removed meanwhile leaves its copy as the only one there is.
  const SourceNow source_now = CompareSource(from.get(), status);
  if (source_now == SourceNow::kChanged) throw common::Error(kChangedMeanwhile);
  if (source_now == SourceNow::kAsCopied) CheckCancelled(monitor);
  staged.Commit(to.name);
  auto take_back = [&] {
    staged.Withdraw();
    fsync(to.folder.get());
  };
  if (fsync(to.folder.get()) != 0) {
    const int error = errno;
    take_back();
    ThrowErrno(error);
  }
  if (source_now == SourceNow::kRemoved) return;
  auto gone = [&](bool) { return CompareSource(from.get(), status) == SourceNow::kRemoved; };
  RemoveSource(source, status, gone, take_back);
}

std::string ReadLink(const std::string& path, const struct stat& status) {
  std::vector<char> target(static_cast<std::size_t>(status.st_size) + 1);
  for (;;) {
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0) ThrowErrno(errno);
    if (static_cast<std::size_t>(length) < target.size()) return std::string(target.data(), length);
    target.resize(target.size() * 2);  // the link grew meanwhile
  }
}

// A symbolic link, named pipe, socket or device node is made anew at the destination
// (which fails if the name exists), then the source is removed.
void MoveSpecialAcross(const std::string& source, const struct stat& status,
                       const Destination& to) {
  const int folder = to.folder.get();
  const char* name = to.name.c_str();
  if (S_ISLNK(status.st_mode)) {
    if (symlinkat(ReadLink(source, status).c_str(), folder, name) != 0) ThrowErrno(errno);
  } else if (mknodat(folder, name, status.st_mode, status.st_rdev) != 0) {
    ThrowErrno(errno);
  }
  struct stat made;
  if (fstatat(folder, name, &made, AT_SYMLINK_NOFOLLOW) != 0) {
    const int error = errno;
    unlinkat(folder, name, 0);
    ThrowErrno(error);
  }
  auto take_back = [&] {
    struct stat now;
    if (fstatat(folder, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && SameEntry(now, made)) {
      unlinkat(folder, name, 0);
    }
    fsync(folder);
  };
  // The owner, bits and times are kept where the system lets us; the entry's name is
  // what matters, so a refusal here does not stop the move. Set-id bits stay only with
  // the owner, as for a regular file.
  const bool same_owner =
      fchownat(folder, name, status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW) == 0;
  const mode_t bits = status.st_mode & (same_owner ? 07777 : 0777);
  if (!S_ISLNK(status.st_mode) && fchmodat(folder, name, bits, AT_SYMLINK_NOFOLLOW) != 0) {
    // Refused: the entry keeps the bits it was made with.
  }
  const struct timespec times[2] = {status.st_atim, status.st_mtim};
  utimensat(folder, name, times, AT_SYMLINK_NOFOLLOW);
  if (fsync(folder) != 0) {
    const int error = errno;
    take_back();
    ThrowErrno(error);
  }
  RemoveSource(
      source, status, [](bool named) { return !named; }, take_back);
}

}  // namespace

void MoveFile(const std::string& source, const std::string& destination,
              OperationMonitor& monitor) {
  CheckCancelled(monitor);
  const struct stat entry = StatusOfEntry(source);
  if (S_ISDIR(entry.st_mode)) throw common::Error(kIsFolder);
  const Destination to = OpenDestination(destination);
  struct stat followed;
  const bool resolves = stat(source.c_str(), &followed) == 0;
  RefuseExisting(to, entry, resolves ? &followed : nullptr);
  if (MoveNameWithoutReplacing(AT_FDCWD, source.c_str(), to.folder.get(), to.name.c_str())) {
    monitor.Progress(static_cast<std::uint64_t>(entry.st_size),
                     static_cast<std::uint64_t>(entry.st_size));
    return;
  }
  if (S_ISREG(entry.st_mode)) {
    MoveRegularAcross(source, to, monitor);
  } else {
    MoveSpecialAcross(source, entry, to);
  }
}

}  // namespace filemanager
