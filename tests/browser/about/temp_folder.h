// A folder of its own for one test, removed with everything in it at the end, and
// the hive files the registry tests write into it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "support/temporary_folder.h"

namespace about_test {

class TempFolder : public testing_support::TemporaryFolder {
 public:
  TempFolder() : TemporaryFolder(std::filesystem::temp_directory_path(), "korvo-about") {}

  std::filesystem::path path() const { return Path(); }

  std::filesystem::path Write(const std::string& name, const std::string& content) const {
    const auto file = path() / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }
};

// A HKEY_LOCAL_MACHINE hive file in folder with the given sections and values.
inline std::filesystem::path WriteMachineHive(const TempFolder& folder, const std::string& body) {
  return folder.Write("HKEY_LOCAL_MACHINE.reg", "REGEDIT4\n\n" + body);
}

}  // namespace about_test
