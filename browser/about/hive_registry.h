// The registry over hive files: one text file per root key (HKEY_LOCAL_MACHINE.reg and
// so on, format in hive_text.h) in one folder. The program's own folder is
// ../share/korvo/registry beside its executable, so a build tree and an installed copy
// each find the hive written for them.
//
// Opening a key reads its hive afresh; the key then keeps what it read. Access follows
// the hive file's permissions: any open needs read permission, and rights that change
// a key (kWriteRights) need write permission too. The file's mode bits count for every
// caller, root included, so a hive made read-only refuses write access to everyone; the
// kernel's own answer (access control lists, read-only mounts) must agree as well.
#pragma once

#include <filesystem>
#include <map>
#include <memory>

#include "browser/about/hive_text.h"
#include "browser/about/registry.h"

namespace browser::registry {

class HiveRegistry : public Registry {
 public:
  explicit HiveRegistry(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // The hive folder of a program whose executable is at executable.
  static std::filesystem::path FolderBeside(const std::filesystem::path& executable);
  // The hive folder of the running program.
  static std::filesystem::path FolderOfThisProgram();

  LStatus RegOpenKeyEx(HKey root, const std::string& sub_key, std::uint32_t options,
                       std::uint32_t sam_desired, HKey& result) override;
  LStatus RegQueryValueEx(HKey key, const std::string& value_name, std::uint32_t& type,
                          std::uint8_t* data, std::uint32_t& size) override;
  LStatus RegCloseKey(HKey key) override;

  // A hive file larger than this is taken as damaged.
  static constexpr std::uintmax_t kMaxHiveBytes = 16 << 20;

 private:
  struct OpenKey {
    std::filesystem::path file;
    std::shared_ptr<const Hive> hive;
    std::string path;  // folded, below the root
  };

  LStatus LoadHive(const std::filesystem::path& file, bool write,
                   std::shared_ptr<const Hive>& hive) const;

  std::filesystem::path folder_;
  std::map<HKey, OpenKey> open_;
  HKey next_handle_ = 0x100;
};

}  // namespace browser::registry
