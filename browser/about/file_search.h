// The file search the system information launcher asks whether a file exists.
#pragma once

#include <string>

namespace browser {

// Attribute value for ordinary files: neither hidden nor folders.
inline constexpr int kNormalFiles = 0;

class FileSearch {
 public:
  virtual ~FileSearch() = default;
  // The name (last component) of the first file that path names and that has the
  // attributes asked for, or empty text when there is none.
  virtual std::string FirstMatch(const std::string& path, int attributes) = 0;
};

// Searches the file system: with kNormalFiles, path must name a regular file (after
// following links) whose name does not start with "." (hidden on this system).
class DiskFileSearch : public FileSearch {
 public:
  std::string FirstMatch(const std::string& path, int attributes) override;
};

}  // namespace browser
