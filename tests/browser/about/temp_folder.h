// A folder of its own for one test, removed with everything in it at the end, and
// the hive files the registry tests write into it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace about_test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvo-about-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code error;
    // Restore permissions a test took away, so everything can go.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  std::filesystem::path Write(const std::string& name, const std::string& content) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  std::filesystem::path path_;
};

// A HKEY_LOCAL_MACHINE hive file in folder with the given sections and values.
inline std::filesystem::path WriteMachineHive(const TempFolder& folder, const std::string& body) {
  return folder.Write("HKEY_LOCAL_MACHINE.reg", "REGEDIT4\n\n" + body);
}

}  // namespace about_test
