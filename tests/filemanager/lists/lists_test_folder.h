// A scratch folder for the list tests, removed with its content afterwards, and the
// ways its entries are made: files, folders, links, FIFOs, odd byte names.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace lists_test {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/tavvel-lists-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

  std::string File(const std::string& name) const {
    std::ofstream(Path(name), std::ios::binary) << name;
    return Path(name);
  }
  std::string Folder(const std::string& name) const {
    std::filesystem::create_directories(Path(name));
    return Path(name);
  }
  void Link(const std::string& target, const std::string& name) const {
    std::filesystem::create_symlink(target, Path(name));
  }
  void Fifo(const std::string& name) const { mkfifo(Path(name).c_str(), 0600); }

 private:
  std::string path_;
};

}  // namespace lists_test
