// The file-system object the file manager window works through. The real one runs
// the file operations; tests script their own.
#pragma once

#include <memory>
#include <string>

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
};

}  // namespace filemanager
