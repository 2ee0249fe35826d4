// A new file written in its destination folder but not yet visible under its final
// name. Commit puts it in place without ever replacing an existing entry; a staged file
// that is never committed vanishes with no trace, whatever ended the operation.
#pragma once

#include <sys/stat.h>

#include <string>

#include "filemanager/operations/unique_fd.h"

namespace filemanager {

// Renames from_name in from_folder to to_name in to_folder, failing with EEXIST (as a
// common::Error) when to_name exists, also when it appears at the last moment. Uses
// renameat2(RENAME_NOREPLACE) and, on file systems without it, a hard link or a
// reserved name. Throws common::Error; EXDEV is returned instead of thrown, as false.
bool MoveNameWithoutReplacing(int from_folder, const char* from_name, int to_folder,
                              const char* to_name);

// The two fallbacks of MoveNameWithoutReplacing, each refusing a taken name: a hard
// link, then the removal of the old name (returns 0, or the link's error number; throws
// when the old name cannot be removed, after taking the link back), and a rename over
// an empty file that first claims the name with O_EXCL (throws on failure).
int LinkThenUnlink(int from_folder, const char* from_name, int to_folder, const char* to_name);
void RenameOverReservedName(int from_folder, const char* from_name, int to_folder,
                            const char* to_name);

class StagedFile {
 public:
  // kAnonymous writes an unnamed file (O_TMPFILE) and falls back to kHiddenName on file
  // systems without it; kHiddenName writes under a hidden unique name that is removed
  // unless committed.
  enum class Method { kAnonymous, kHiddenName };

  explicit StagedFile(int folder_fd, Method method = Method::kAnonymous);
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile();

  int fd() const { return fd_.get(); }
  bool anonymous() const { return hidden_name_.empty() && committed_name_.empty(); }

  // Gives the file its name in the folder; throws "File already exists" when the name
  // is taken, leaving nothing behind.
  void Commit(const std::string& name);

  // Removes the committed file again, if its name still leads to it (a move that could
  // not remove its source takes its copy back).
  void Withdraw();

 private:
  void CreateHidden();
  void CommitAnonymous(const std::string& name);

  int folder_fd_;
  UniqueFd fd_;
  std::string hidden_name_;  // set while the file lives under a hidden name
  std::string committed_name_;
};

}  // namespace filemanager
