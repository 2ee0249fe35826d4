// The launcher's two look-ups, its existence test and its one failure message, and the
// value reader's buffer, trimming and types, over hive files in a test's own folder.
#include "browser/about/sysinfo_launcher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "browser/about/hive_registry.h"
#include "common/errors.h"
#include "support/ui.h"
#include "temp_folder.h"

namespace {

using namespace browser::registry;
using about_test::TempFolder;
using about_test::WriteMachineHive;
using browser::kSysInfoUnavailable;
using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::ShownMessage;

struct Call {
  std::string operation;
  HKey key;
  std::string name;
  std::uint32_t access;
  bool operator==(const Call&) const = default;
};

// The hive registry, with every call written down; it can fail a query by throwing.
class RecordingRegistry : public Registry {
 public:
  explicit RecordingRegistry(Registry& inner) : inner_(inner) {}
  std::vector<Call> calls;
  bool throw_on_query = false;

  LStatus RegOpenKeyEx(HKey root, const std::string& sub_key, std::uint32_t options,
                       std::uint32_t access, HKey& result) override {
    calls.push_back({"open", root, sub_key, access});
    return inner_.RegOpenKeyEx(root, sub_key, options, access, result);
  }
  LStatus RegQueryValueEx(HKey key, const std::string& name, std::uint32_t& type,
                          std::uint8_t* data, std::uint32_t& size) override {
    calls.push_back({"query", key, name, size});
    if (throw_on_query) throw common::Error("The registry is gone");
    return inner_.RegQueryValueEx(key, name, type, data, size);
  }
  LStatus RegCloseKey(HKey key) override {
    calls.push_back({"close", key, "", 0});
    return inner_.RegCloseKey(key);
  }

 private:
  Registry& inner_;
};

// Writes down each start, then starts for real, so a missing program fails.
class RecordingProgramStart : public browser::ProgramStart {
 public:
  std::vector<std::string> started;
  void Start(const std::string& program, int window_style) override {
    started.push_back(program);
    EXPECT_EQ(window_style, browser::kNormalFocus);
    real_.Start(program, window_style);
  }

 private:
  browser::SpawnProgramStart real_;
};

class SysInfoLauncherTest : public testing::Test {
 protected:
  TempFolder folder;
  HiveRegistry hives{folder.path()};
  RecordingRegistry registry{hives};
  browser::DiskFileSearch file_search;
  RecordingProgramStart program_start;
  testing_support::ScriptedMessageBox message_box;
  browser::SysInfoLauncher launcher{{registry, file_search, program_start, message_box}};

  // A tool in the test's folder that only exits.
  std::string WriteTool(const std::string& name) {
    const auto file = folder.Write(name, "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);
    return file.string();
  }

  bool Read(const std::string& key_name, const std::string& value_name, std::string& text) {
    std::string KeyName = key_name, SubKeyRef = value_name;
    const bool result = launcher.GetKeyValue(HKEY_LOCAL_MACHINE, KeyName, SubKeyRef, text);
    EXPECT_EQ(KeyName, key_name);
    EXPECT_EQ(SubKeyRef, value_name);
    return result;
  }

  const std::vector<ShownMessage> kUnavailable{{kSysInfoUnavailable, 0, ""}};
};

std::string Escaped(const std::string& path) {
  std::string text;
  for (char c : path) text += (c == '\\' || c == '"') ? std::string{'\\', c} : std::string{c};
  return text;
}

TEST_F(SysInfoLauncherTest, TheFirstValueIsStartedUnchangedAndTheSecondKeyIsNotRead) {
  const std::string tool = WriteTool("my tools/sys info");
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                   "\"PATH\"=\"" +
                       Escaped(tool) +
                       "\"\n"
                       "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n"
                       "\"MSINFO\"=\"/elsewhere\"\n");
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, ElementsAre(tool));
  EXPECT_THAT(message_box.shown, IsEmpty());
  ASSERT_EQ(registry.calls.size(), 3u);
  EXPECT_EQ(registry.calls[0], (Call{"open", HKEY_LOCAL_MACHINE, browser::kSysInfoKey, KEY_READ}));
  EXPECT_EQ(registry.calls[1].name, "PATH");
  EXPECT_EQ(registry.calls[1].access, 1024u);  // the buffer's size in bytes
  EXPECT_EQ(registry.calls[2].operation, "close");
}

TEST_F(SysInfoLauncherTest, AFirstValueNamingNoFileIsStartedAllTheSameAndThenFails) {
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                   "\"PATH\"=\"/no such/tool --flag\"\n");
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, ElementsAre("/no such/tool --flag"));
  EXPECT_EQ(message_box.shown, kUnavailable);
}

TEST_F(SysInfoLauncherTest, TheSecondValueNamesAFolderThatMustHoldTheTool) {
  const std::string tools = (folder.path() / "shared tools").string();
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n"
                   "\"MSINFO\"=\"" +
                       Escaped(tools) + "\"\n");
  std::filesystem::create_directories(tools);
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, IsEmpty());
  EXPECT_EQ(message_box.shown, kUnavailable);

  // A folder of that name is no tool; the file itself is.
  std::filesystem::create_directories(tools + "/MSINFO32.EXE");
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, IsEmpty());
  std::filesystem::remove(tools + "/MSINFO32.EXE");

  const std::string tool = WriteTool("shared tools/MSINFO32.EXE");
  message_box.shown.clear();
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, ElementsAre(tool));
  EXPECT_THAT(message_box.shown, IsEmpty());
}

// Only what the kernel runs itself is started: a text file without a "#!" line is no
// program, and no shell is asked to read it.
TEST_F(SysInfoLauncherTest, AnExecutableTextWithoutItsInterpreterLineIsNotRun) {
  const auto marker = folder.path() / "ran";
  const auto tool = folder.Write("tool", "touch '" + marker.string() + "'\n");
  std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                   "\"PATH\"=\"" +
                       Escaped(tool.string()) + "\"\n");
  launcher.StartSysInfo();
  EXPECT_EQ(message_box.shown, kUnavailable);
  // Time enough for a shell to have run it.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST_F(SysInfoLauncherTest, BothValuesMissingOrNoHiveStartNothing) {
  launcher.StartSysInfo();
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                   "\"Other\"=\"x\"\n");
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, IsEmpty());
  EXPECT_EQ(message_box.shown.size(), 2u);
  EXPECT_EQ(message_box.shown.back(), kUnavailable.front());
}

// A value of another type reads as success but leaves the tool path empty.
TEST_F(SysInfoLauncherTest, AValueOfAnotherTypeLeavesNothingToStart) {
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                   "\"PATH\"=hex(2):2f,62,69,6e,2f,74,72,75,65,00\n");
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, ElementsAre(""));
  EXPECT_EQ(message_box.shown, kUnavailable);

  // From the second value, the search looks for "/MSINFO32.EXE", which is not there.
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location]\n"
                   "\"MSINFO\"=hex:2f\n");
  launcher.StartSysInfo();
  EXPECT_EQ(program_start.started.size(), 1u);
  EXPECT_EQ(message_box.shown.size(), 2u);
}

TEST_F(SysInfoLauncherTest, AnErrorFromTheRegistryEndsInTheFailureMessage) {
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
                   "\"PATH\"=\"/bin/true\"\n");
  registry.throw_on_query = true;
  EXPECT_NO_THROW(launcher.StartSysInfo());
  EXPECT_EQ(message_box.shown, kUnavailable);
  EXPECT_THAT(program_start.started, IsEmpty());

  // The reader has no trap of its own: the error leaves it before the close.
  std::string text;
  registry.calls.clear();
  EXPECT_THROW(Read(browser::kSysInfoKey, "PATH", text), common::Error);
  EXPECT_EQ(registry.calls.back().operation, "query");
}

TEST_F(SysInfoLauncherTest, AFailedOpenClosesHandleZeroOnce) {
  std::string text = "left over";
  EXPECT_FALSE(Read("SOFTWARE\\Nothing", "PATH", text));
  EXPECT_EQ(text, "");
  ASSERT_EQ(registry.calls.size(), 2u);
  EXPECT_EQ(registry.calls[1], (Call{"close", 0, "", 0}));
}

TEST_F(SysInfoLauncherTest, TextFitsUpTo1024BytesWithItsZero) {
  const std::string fits(1023, 'a'), too_long(1024, 'b');
  std::string unterminated;  // 1024 bytes of text without a final zero
  for (int i = 0; i < 1024; ++i) unterminated += i ? ",63" : "63";
  WriteMachineHive(folder, "[HKEY_LOCAL_MACHINE\\K]\n\"Fits\"=\"" + fits + "\"\n\"Long\"=\"" +
                               too_long + "\"\n\"Bare\"=hex(1):" + unterminated +
                               "\n\"Two\"=hex(1):61,62\n\"Zeroes\"=hex(1):61,00,00\n");
  std::string text;
  EXPECT_TRUE(Read("K", "Fits", text));
  EXPECT_EQ(text, fits);
  text = "old";
  EXPECT_FALSE(Read("K", "Long", text));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(Read("K", "Bare", text));
  EXPECT_EQ(text, std::string(1024, 'c'));
  EXPECT_TRUE(Read("K", "Two", text));
  EXPECT_EQ(text, "ab");
  // Only the one final zero goes.
  EXPECT_TRUE(Read("K", "Zeroes", text));
  EXPECT_EQ(text, std::string("a\0", 2));
  EXPECT_FALSE(Read("K", "Missing", text));
  EXPECT_EQ(text, "");
}

TEST_F(SysInfoLauncherTest, NumbersReadAsDecimalOtherTypesLeaveTheTextAndNoDataReadsEmpty) {
  WriteMachineHive(folder,
                   "[HKEY_LOCAL_MACHINE\\K]\n\"Small\"=dword:00000102\n"
                   "\"Zero\"=dword:00000000\n\"Max\"=dword:ffffffff\n"
                   "\"High\"=dword:01000000\n\"Short\"=hex(4):05\n"
                   "\"Expand\"=hex(2):25,50,25,00\n\"Raw\"=hex:01,02\n"
                   "\"EmptyText\"=hex(1):\n\"EmptyNumber\"=hex(4):\n\"EmptyRaw\"=hex:\n");
  const std::pair<const char*, const char*> numbers[] = {
      {"Small", "258"}, {"Zero", "0"}, {"Max", "4294967295"}, {"High", "16777216"}, {"Short", "5"}};
  for (const auto& [name, decimal] : numbers) {
    std::string text = "old";
    EXPECT_TRUE(Read("K", name, text)) << name;
    EXPECT_EQ(text, decimal) << name;
  }
  for (const char* name : {"Expand", "Raw", "EmptyRaw"}) {
    std::string text = "as passed";
    EXPECT_TRUE(Read("K", name, text)) << name;
    EXPECT_EQ(text, "as passed") << name;
  }
  for (const char* name : {"EmptyText", "EmptyNumber"}) {
    std::string text = "old";
    EXPECT_TRUE(Read("K", name, text)) << name;
    EXPECT_EQ(text, "") << name;
  }
}

TEST_F(SysInfoLauncherTest, AHiveTheUserMayOnlyReadStillGivesTheTool) {
  const std::string tool = WriteTool("tool");
  const auto hive = WriteMachineHive(
      folder, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n\"PATH\"=\"" +
                  Escaped(tool) + "\"\n");
  std::filesystem::permissions(hive, std::filesystem::perms::owner_read);
  launcher.StartSysInfo();
  EXPECT_THAT(program_start.started, ElementsAre(tool));
  EXPECT_THAT(message_box.shown, IsEmpty());
}

}  // namespace
