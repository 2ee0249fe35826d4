// The copy, move and delete core: plain functions over the file system, with no
// toolkit, safe against losing or overwriting a file. Each throws common::Error with a
// readable description ("File already exists", "Permission denied", ...) on failure.
#pragma once

#include <cstdint>
#include <string>

namespace filemanager {

// Watches a long operation from the thread that runs it.
class OperationMonitor {
 public:
  virtual ~OperationMonitor() = default;
  // Bytes written so far of the total; called from the working thread.
  virtual void Progress(std::uint64_t done, std::uint64_t total) = 0;
  // Polled from the working thread; true ends the operation as "Operation cancelled",
  // leaving the destination as it was.
  virtual bool Cancelled() const = 0;
};

// The name part of a path (what follows the last "/").
std::string FileNameOf(const std::string& path);

// Copies the regular file at source to destination, which must not exist yet.
void CopyFile(const std::string& source, const std::string& destination, OperationMonitor& monitor);

// Moves the entry at source to destination, which must not exist yet.
void MoveFile(const std::string& source, const std::string& destination, OperationMonitor& monitor);

// Deletes the one file (not a folder) at path; a symbolic link is removed, never its target.
void DeleteFile(const std::string& path);

}  // namespace filemanager
