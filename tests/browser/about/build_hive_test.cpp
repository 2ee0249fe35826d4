// The hive the build writes: korvo built in this tree finds the system information
// tool that the same build made.
#include <gtest/gtest.h>
#include <unistd.h>

#include "browser/about/hive_registry.h"
#include "browser/about/sysinfo_launcher.h"
#include "support/ui.h"

namespace {

TEST(BuildHive, NamesTheSystemInformationToolThisBuildMade) {
  browser::registry::HiveRegistry registry(KORVO_BUILD_HIVE_FOLDER);
  browser::DiskFileSearch file_search;
  browser::SpawnProgramStart program_start;
  testing_support::ScriptedMessageBox message_box;
  browser::SysInfoLauncher launcher({registry, file_search, program_start, message_box});

  std::string KeyName = browser::kSysInfoKey, SubKeyRef = browser::kSysInfoValue, KeyVal;
  ASSERT_TRUE(
      launcher.GetKeyValue(browser::registry::HKEY_LOCAL_MACHINE, KeyName, SubKeyRef, KeyVal));
  EXPECT_EQ(std::filesystem::path(KeyVal).filename(), "korvo-sysinfo");
  EXPECT_TRUE(std::filesystem::is_regular_file(KeyVal));
  EXPECT_EQ(access(KeyVal.c_str(), X_OK), 0);
}

}  // namespace
