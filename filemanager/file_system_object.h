// The file-system object the file manager window works through. The real one runs
// the file operations; tests script their own.
#pragma once

#include <memory>
#include <string>

#include "filemanager/lists/folder_identity.h"
#include "filemanager/operations/name_operations.h"

namespace filemanager {

class FileSystemObject {
 public:
  virtual ~FileSystemObject() = default;

  // The name part of path.
  virtual std::string GetFileName(const std::string& path) = 0;
  // Each throws common::Error with a description that reads well after a prefix such
  // as "Error pasting file: ".
  virtual void CopyFile(const std::string& source, const std::string& destination) = 0;
  virtual void MoveFile(const std::string& source, const std::string& destination) = 0;
  virtual void DeleteFile(const std::string& path, bool force) = 0;

  // The folder the next CopyFile or MoveFile is to write into, as the window listed
  // it. When the destination's folder is another one by then (a drive unmounted from
  // under it, the folder replaced by one of the same name) that operation fails with
  // "The destination folder does not exist" rather than write somewhere unseen.
  virtual void DestinationFolder(const FolderIdentity& /*folder*/) {}

  // Renaming a file and making a folder, inside folder; neither replaces an existing
  // entry. They throw like the operations above.
  virtual void RenameFile(const std::string& folder, const std::string& name,
                          const std::string& new_name) {
    RenameEntry(folder, name, new_name);
  }
  virtual void CreateFolder(const std::string& folder, const std::string& name) {
    MakeFolder(folder, name);
  }
};

}  // namespace filemanager
