// The registry over hive files in a test's own folder: opening with access rights,
// reading values byte for byte, and every way an open or a query fails.
#include "browser/about/hive_registry.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "temp_folder.h"

namespace {

using namespace browser::registry;
using about_test::TempFolder;
using about_test::WriteMachineHive;

constexpr char kHive[] =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
    "\"PATH\"=\"/opt/tools/sysinfo\"\n"
    "\"Count\"=dword:00000102\n"
    "\"Blob\"=hex:01,02,03,04,05\n";

class HiveRegistryTest : public testing::Test {
 protected:
  TempFolder folder;
  HiveRegistry registry{folder.path()};

  LStatus Open(const std::string& sub_key, std::uint32_t access, HKey& key) {
    return registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, sub_key, 0, access, key);
  }
};

TEST_F(HiveRegistryTest, ReadsValuesWhateverTheCaseOfTheirNames) {
  WriteMachineHive(folder, kHive);
  HKey key = 0;
  ASSERT_EQ(Open("software\\MICROSOFT\\shared tools\\msinfo", KEY_READ, key), ERROR_SUCCESS);
  EXPECT_NE(key, 0u);

  std::uint8_t data[64] = {};
  std::uint32_t type = 0, size = sizeof data;
  ASSERT_EQ(registry.RegQueryValueEx(key, "path", type, data, size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  ASSERT_EQ(size, 19u);  // 18 bytes of text and the zero
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size),
            std::string("/opt/tools/sysinfo\0", 19));

  size = sizeof data;
  ASSERT_EQ(registry.RegQueryValueEx(key, "COUNT", type, data, size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  ASSERT_EQ(size, 4u);
  EXPECT_EQ(data[0], 0x02);
  EXPECT_EQ(data[1], 0x01);
  EXPECT_EQ(registry.RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(HiveRegistryTest, DataThatDoNotFitAreNotWrittenAndTheirLengthIsGiven) {
  WriteMachineHive(folder, kHive);
  HKey key = 0;
  ASSERT_EQ(Open("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", KEY_READ, key), ERROR_SUCCESS);
  std::uint8_t data[4] = {9, 9, 9, 9};
  std::uint32_t type = 0, size = sizeof data;
  EXPECT_EQ(registry.RegQueryValueEx(key, "Blob", type, data, size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(data[0], 9);

  // Without a buffer, the query tells the type and the length only.
  size = 0;
  EXPECT_EQ(registry.RegQueryValueEx(key, "Blob", type, nullptr, size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(size, 5u);
}

TEST_F(HiveRegistryTest, MissingHiveKeyAndValueAreNotFound) {
  HKey key = 77;
  EXPECT_EQ(Open("SOFTWARE", KEY_READ, key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 77u);  // a failed open leaves the handle alone

  WriteMachineHive(folder, kHive);
  EXPECT_EQ(Open("SOFTWARE\\Microsoft\\Shared Tools Location", KEY_READ, key),
            ERROR_FILE_NOT_FOUND);
  // A parent of a key is a key, even without a section of its own.
  ASSERT_EQ(Open("SOFTWARE\\Microsoft", KEY_READ, key), ERROR_SUCCESS);
  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(registry.RegQueryValueEx(key, "PATH", type, nullptr, size), ERROR_FILE_NOT_FOUND);
}

TEST_F(HiveRegistryTest, KeysOpenBelowOpenKeysAndHandlesEndWhenClosed) {
  WriteMachineHive(folder, kHive);
  HKey software = 0, msinfo = 0, root = 0;
  ASSERT_EQ(Open("SOFTWARE", KEY_READ, software), ERROR_SUCCESS);
  ASSERT_EQ(registry.RegOpenKeyEx(software, "Microsoft\\Shared Tools\\MSINFO", 0, KEY_READ, msinfo),
            ERROR_SUCCESS);
  ASSERT_EQ(Open("", KEY_READ, root), ERROR_SUCCESS);
  EXPECT_NE(software, msinfo);

  std::uint32_t type = 0, size = 0;
  EXPECT_EQ(registry.RegQueryValueEx(msinfo, "PATH", type, nullptr, size), ERROR_SUCCESS);
  EXPECT_EQ(registry.RegCloseKey(msinfo), ERROR_SUCCESS);
  EXPECT_EQ(registry.RegQueryValueEx(msinfo, "PATH", type, nullptr, size), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry.RegCloseKey(msinfo), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry.RegCloseKey(0), ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry.RegOpenKeyEx(0x1234, "SOFTWARE", 0, KEY_READ, root), ERROR_INVALID_HANDLE);
  EXPECT_EQ(Open("\\SOFTWARE", KEY_READ, root), ERROR_BAD_PATHNAME);
  EXPECT_EQ(Open("SOFTWARE\\\\Microsoft", KEY_READ, root), ERROR_BAD_PATHNAME);
}

TEST_F(HiveRegistryTest, AMalformedOrOddHiveFailsTheOpen) {
  HKey key = 0;
  WriteMachineHive(folder, "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\"PATH\"=\"unterminated\n");
  EXPECT_EQ(Open("SOFTWARE", KEY_READ, key), ERROR_BADDB);

  folder.Write("HKEY_LOCAL_MACHINE.reg", std::string("\x00\x01\x02REGEDIT4", 11));
  EXPECT_EQ(Open("SOFTWARE", KEY_READ, key), ERROR_BADDB);

  std::filesystem::remove(folder.path() / "HKEY_LOCAL_MACHINE.reg");
  std::filesystem::create_directory(folder.path() / "HKEY_LOCAL_MACHINE.reg");
  EXPECT_EQ(Open("SOFTWARE", KEY_READ, key), ERROR_BADDB);
}

// The file's mode bits decide, for root as for anyone, so this holds whoever runs it.
TEST_F(HiveRegistryTest, AReadOnlyHiveGivesReadAccessAndRefusesFullAccess) {
  const auto file = WriteMachineHive(folder, kHive);
  HKey key = 0;
  ASSERT_EQ(Open("SOFTWARE", KEY_ALL_ACCESS, key), ERROR_SUCCESS);

  std::filesystem::permissions(file, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  EXPECT_EQ(Open("SOFTWARE", KEY_READ, key), ERROR_SUCCESS);
  EXPECT_EQ(Open("SOFTWARE", KEY_ALL_ACCESS, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Open("SOFTWARE", KEY_SET_VALUE, key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(registry.RegOpenKeyEx(key, "Microsoft", 0, KEY_WRITE, key), ERROR_ACCESS_DENIED);

  std::filesystem::permissions(file, std::filesystem::perms::none);
  EXPECT_EQ(Open("SOFTWARE", KEY_READ, key), ERROR_ACCESS_DENIED);
}

// Runs body in a child process with an alarm and a cap on its memory, so an open that
// hangs or reads on without end fails the test instead of stalling it; meanwhile runs
// in this process until the child ends. True when body gave true; an exception from it
// ends the child through std::terminate.
bool InChild(const std::function<bool()>& body, const std::function<void()>& meanwhile) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(10);
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer's own mappings count as data; under it the alarm guards alone.
    const rlimit memory{256 << 20, 256 << 20};
    setrlimit(RLIMIT_DATA, &memory);
#endif
    const auto run = [&]() noexcept { return body(); };
    _exit(run() ? 0 : 1);
  }
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) meanwhile();
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct SwappedRow {
  const char* name;
  // Makes the file at path that takes turns with a good hive under the hive's name.
  void (*make)(const std::filesystem::path& path);
};

class SwappedHive : public testing::TestWithParam<SwappedRow> {};

// While a child process opens key "Big" again and again, this one swaps the hive file,
// which has no such key, with something else all the time: whatever the open finds
// under the name, it neither hangs nor reads on past the size limit, and it never
// takes a hive read beyond the limit for a good one.
TEST_P(SwappedHive, TheOpenNeverHangsNorReadsPastTheLimit) {
  TempFolder folder;
  const auto hive = WriteMachineHive(folder, kHive);
  const auto other = folder.path() / "other";
  GetParam().make(other);
  const auto swap = [&] {
    return renameat2(AT_FDCWD, hive.c_str(), AT_FDCWD, other.c_str(), RENAME_EXCHANGE) == 0;
  };
  ASSERT_TRUE(swap()) << "the file system cannot swap two names";
  HiveRegistry registry(folder.path());
  const bool refused_every_time = InChild(
      [&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end) {
          HKey key = 0;
          const LStatus status = registry.RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Big", 0, KEY_READ, key);
          if (status != ERROR_FILE_NOT_FOUND && status != ERROR_BADDB) return false;
        }
        return true;
      },
      swap);
  EXPECT_TRUE(refused_every_time);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SwappedHive,
    testing::Values(SwappedRow{"Fifo",
                               [](const auto& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
                    // A valid hive, one byte longer than the limit.
                    SwappedRow{"LongerThanTheLimit",
                               [](const auto& path) {
                                 std::string text = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Big]\n";
                                 text.resize(HiveRegistry::kMaxHiveBytes + 1, '\n');
                                 std::ofstream(path, std::ios::binary) << text;
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HiveRegistryFolder, IsShareKorvoRegistryBesideTheProgramsFolder) {
  EXPECT_EQ(HiveRegistry::FolderBeside("/opt/korvo/bin/korvo"),
            std::filesystem::path("/opt/korvo/share/korvo/registry"));
  EXPECT_EQ(HiveRegistry::FolderBeside("/work/build/browser/korvo"),
            std::filesystem::path("/work/build/share/korvo/registry"));
  EXPECT_EQ(HiveRegistry::FolderOfThisProgram().filename(), "registry");
}

}  // namespace
