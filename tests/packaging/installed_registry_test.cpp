// The registry an installed korvo reads, found the way korvo finds it (beside its
// executable), in an installation that lies in a staging folder or an unpacked package:
// KORVO_ROOT is that folder, KORVO_PREFIX the prefix the installation was made for.
// Run by install_layout.sh and deb_package.sh after they have made the installation.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "browser/about/hive_registry.h"
#include "browser/about/sysinfo_launcher.h"
#include "support/ui.h"

namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class InstalledRegistry : public testing::Test {
 protected:
  void SetUp() override {
    root_ = Environment("KORVO_ROOT");
    prefix_ = Environment("KORVO_PREFIX");
    ASSERT_FALSE(root_.empty()) << "KORVO_ROOT names no installation";
    ASSERT_TRUE(prefix_.is_absolute()) << "KORVO_PREFIX is not an absolute prefix";
  }

  // The value korvo would read for the tool, from the hive beside the installed korvo.
  bool ReadToolPath(std::string& KeyVal) {
    const fs::path korvo = root_ / prefix_.relative_path() / "bin" / "korvo";
    browser::registry::HiveRegistry registry(browser::registry::HiveRegistry::FolderBeside(korvo));
    browser::DiskFileSearch file_search;
    browser::SpawnProgramStart program_start;
    browser::SysInfoLauncher launcher({registry, file_search, program_start, message_box_});
    std::string KeyName = browser::kSysInfoKey, SubKeyRef = browser::kSysInfoValue;
    return launcher.GetKeyValue(browser::registry::HKEY_LOCAL_MACHINE, KeyName, SubKeyRef, KeyVal);
  }

  fs::path root_;
  fs::path prefix_;
  testing_support::ScriptedMessageBox message_box_;
};

TEST_F(InstalledRegistry, NamesTheToolByItsFinalPathNotTheStagingOne) {
  std::string KeyVal;
  ASSERT_TRUE(ReadToolPath(KeyVal));
  EXPECT_EQ(KeyVal, (prefix_ / KORVO_LIBEXECDIR / "korvo-sysinfo").string());
}

TEST_F(InstalledRegistry, NamedToolIsInstalledAndExecutable) {
  std::string KeyVal;
  ASSERT_TRUE(ReadToolPath(KeyVal));
  const fs::path tool = root_ / fs::path(KeyVal).relative_path();
  EXPECT_TRUE(fs::is_regular_file(tool)) << tool;
  EXPECT_EQ(access(tool.c_str(), X_OK), 0) << tool;
}

}  // namespace
