// Real files for the operations tests: temporary folders, file contents, a monitor that
// records progress and can cancel or act mid-copy, and the special set-ups some cases
// need (a small full file system, an immutable folder, another file system).
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "filemanager/operations/file_operations.h"
#include "support/temporary_folder.h"

namespace testing_files {

// A fresh folder under base (the test's working folder, on the build's file system, by
// default), removed with everything in it at the end.
class TempFolder : public testing_support::TemporaryFolder {
 public:
  explicit TempFolder(const std::string& base = ".");

  const std::string& path() const { return Path(); }
  std::string operator/(const std::string& name) const { return Path(name); }
  // The names in the folder, sorted.
  std::vector<std::string> Names() const;
};

void WriteFile(const std::string& path, const std::string& contents, mode_t mode = 0644);
std::string ReadFile(const std::string& path);
// size bytes that differ from one offset to the next, so a misplaced block shows.
std::string PatternBytes(std::size_t size, unsigned seed = 1);
struct stat StatusOf(const std::string& path);   // follows symbolic links
struct stat LStatusOf(const std::string& path);  // the entry itself
bool Exists(const std::string& path);            // the entry itself

// Records progress; cancels when cancel_at_call reaches the number of Progress calls so
// far; on_progress runs on each call (from the operation's thread).
class RecordingMonitor : public filemanager::OperationMonitor {
 public:
  void Progress(std::uint64_t done, std::uint64_t total) override;
  bool Cancelled() const override;

  std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
  int cancel_at_call = -1;
  std::function<void()> on_progress;
};

// A tmpfs of the given size mounted on a fresh folder, when the machine allows it;
// otherwise reason() says why not.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& size);
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;
  ~SmallFileSystem();

  bool mounted() const { return mounted_; }
  const std::string& reason() const { return reason_; }
  const std::string& path() const { return folder_.path(); }

 private:
  TempFolder folder_;
  bool mounted_ = false;
  std::string reason_;
};

// Makes the folder's entries impossible to add or remove, or possible again: by the
// immutable attribute, which binds even the administrator, where it may be set, else by
// taking away write permission, which binds everyone else. Returns an empty text on
// success, else why neither works here.
std::string LockFolder(const std::string& folder, bool locked);

// A folder on a file system other than the build folder's (the shared-memory tmpfs),
// or an empty text with the reason in why_not.
std::string OtherFileSystemBase(std::string& why_not);

}  // namespace testing_files
