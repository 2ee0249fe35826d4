// A scratch folder for the list tests, removed with its content afterwards, and the
// ways its entries are made: files, folders, links, FIFOs, odd byte names.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temporary_folder.h"

namespace lists_test {

class ScratchFolder : public testing_support::TemporaryFolder {
 public:
  ScratchFolder() : TemporaryFolder(std::filesystem::temp_directory_path(), "tavvel-lists") {}

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
};

}  // namespace lists_test
