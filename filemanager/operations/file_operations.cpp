// Copy and delete, and the name part of a path. A copy is written to a staged file in
// the destination folder and only put in place, without replacing anything, once it is
// complete, so a failed or cancelled copy leaves the destination as it was.
#include "filemanager/operations/file_operations.h"

#include <unistd.h>

#include <cerrno>

#include "common/errors.h"
#include "filemanager/operations/copy_contents.h"
#include "filemanager/operations/endpoints.h"
#include "filemanager/operations/error_text.h"
#include "filemanager/operations/staged_file.h"

namespace filemanager {

std::string FileNameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void CopyFile(const std::string& source, const std::string& destination,
              OperationMonitor& monitor) {
  CheckCancelled(monitor);
  struct stat status;
  const UniqueFd from = OpenRegularSource(source, /*follow_symlink=*/true, status);
  const Destination to = OpenDestination(destination);
  RefuseExisting(to, status, nullptr);
  StagedFile staged(to.folder.get());
  CopyContents(from.get(), staged.fd(), status, monitor, /*start_writeback=*/false);
  KeepAttributes(from.get(), staged.fd(), status, Keep::kCopyAttributes);
  // A file written to while it was read would give a copy that never existed as such.
  if (CompareSource(from.get(), status) == SourceNow::kChanged) {
    throw common::Error(kChangedMeanwhile);
  }
  CheckCancelled(monitor);
  staged.Commit(to.name);
}

void DeleteFile(const std::string& path) {
  // unlink never removes a folder (it answers EISDIR) and removes a symbolic link
  // itself, never what it points to.
  if (unlink(path.c_str()) != 0) ThrowErrno(errno);
}

}  // namespace filemanager
