// Renaming and making folders relative to the folder's own descriptor, so that both
// names are looked up in the same folder whatever happens to its path meanwhile, and
// with calls that refuse a taken name themselves (renameat2 with RENAME_NOREPLACE,
// mkdirat) rather than a check that another program could overtake.
#include "filemanager/operations/name_operations.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "common/errors.h"
#include "filemanager/operations/error_text.h"
#include "filemanager/operations/staged_file.h"
#include "filemanager/operations/unique_fd.h"

namespace filemanager {
namespace {

UniqueFd OpenFolder(const std::string& folder) {
  UniqueFd opened(open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!opened) {
    if (errno == ENOENT || errno == ENOTDIR) throw common::Error(kFolderGone);
    ThrowErrno(errno);
  }
  return opened;
}

}  // namespace

void CheckEntryName(const std::string& name) {
  if (name.empty()) throw common::Error(kEmptyName);
  if (name.find_first_of(std::string("/\0", 2)) != std::string::npos) {
    throw common::Error(kNameWithSlash);
  }
  if (name == "." || name == "..") throw common::Error(kReservedName);
}

void RenameEntry(const std::string& folder, const std::string& old_name,
                 const std::string& new_name) {
  CheckEntryName(new_name);
  CheckEntryName(old_name);
  const UniqueFd at = OpenFolder(folder);
  // Within one folder a rename never crosses file systems.
  if (!MoveNameWithoutReplacing(at.get(), old_name.c_str(), at.get(), new_name.c_str())) {
    ThrowErrno(EXDEV);
  }
}

void MakeFolder(const std::string& folder, const std::string& name) {
  CheckEntryName(name);
  const UniqueFd at = OpenFolder(folder);
  if (mkdirat(at.get(), name.c_str(), 0777) != 0) ThrowErrno(errno);
}

}  // namespace filemanager
