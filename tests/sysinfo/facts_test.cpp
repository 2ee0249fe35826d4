// The system information report's parsers, its reading of a machine given as a folder
// of files, and its formatting: all without a display.
#include "sysinfo/facts.h"

#include <stdlib.h>
#include <sys/utsname.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "sysinfo/report.h"

namespace {

using namespace sysinfo;
using testing::HasSubstr;

TEST(OsRelease, ReadsPlainQuotedAndEscapedValuesAndSkipsComments) {
  const auto fields = ParseOsRelease(
      "# comment\nNAME=\"Debian GNU/Linux\"\nVERSION_ID=12\nID='debian'\n"
      "PRETTY_NAME=\"A \\\"quoted\\\" \\$name\"\n\nnot a field\n");
  EXPECT_EQ(fields.at("NAME"), "Debian GNU/Linux");
  EXPECT_EQ(fields.at("VERSION_ID"), "12");
  EXPECT_EQ(fields.at("ID"), "debian");
  EXPECT_EQ(fields.at("PRETTY_NAME"), "A \"quoted\" $name");
  EXPECT_EQ(fields.size(), 4u);
}

TEST(CpuInfo, CountsProcessorsAndTakesTheFirstModelOrTheBoardsName) {
  const CpuInfo x86 = ParseCpuInfo(
      "processor\t: 0\nmodel name\t: AMD EPYC 7B13\nflags\t: fpu\n\n"
      "processor\t: 1\nmodel name\t: AMD EPYC 7B13\n");
  EXPECT_EQ(x86.count, 2u);
  EXPECT_EQ(x86.model, "AMD EPYC 7B13");
  const CpuInfo arm = ParseCpuInfo("processor : 0\nBogoMIPS : 48.00\nHardware : BCM2835\n");
  EXPECT_EQ(arm.count, 1u);
  EXPECT_EQ(arm.model, "BCM2835");
  EXPECT_EQ(ParseCpuInfo("").count, 0u);
}

TEST(MemInfo, GivesBytesOfTotalAndAvailableAndNothingForOddLines) {
  const MemInfo memory =
      ParseMemInfo("MemTotal:       24576000 kB\nMemFree:  100 kB\nMemAvailable:   1024 kB\n");
  EXPECT_EQ(memory.total_bytes, 24576000ull * 1024);
  EXPECT_EQ(memory.available_bytes, 1024ull * 1024);
  const MemInfo odd = ParseMemInfo("MemTotal: lots\nMemAvailable: 12 MB\n");
  EXPECT_FALSE(odd.total_bytes.has_value());
  EXPECT_FALSE(odd.available_bytes.has_value());
}

TEST(Uptime, IsTheFirstNumberWhenThereIsOne) {
  EXPECT_EQ(ParseUptime("1234.56 4000.00\n"), 1234.56);
  EXPECT_FALSE(ParseUptime("").has_value());
  EXPECT_FALSE(ParseUptime("soon 12").has_value());
  EXPECT_FALSE(ParseUptime("-5 1").has_value());
}

TEST(Mounts, DecodeEscapesAndSkipShortLines) {
  const auto mounts = ParseMounts(
      "/dev/vda / ext4 rw,relatime 0 0\n"
      "/dev/sdb1 /media/My\\040Disk vfat rw 0 0\n"
      "broken\n"
      "proc /proc proc rw 0 0");
  ASSERT_EQ(mounts.size(), 3u);
  EXPECT_EQ(mounts[0], (MountedFileSystem{"/dev/vda", "/", "ext4"}));
  EXPECT_EQ(mounts[1].mount_point, "/media/My Disk");
  EXPECT_EQ(mounts[2].type, "proc");
}

class FakeMachine : public testing::Test {
 protected:
  std::filesystem::path root;
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "sysinfo-XXXXXX").string();
    root = mkdtemp(pattern.data());
  }
  void TearDown() override { std::filesystem::remove_all(root); }
  void Write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories((root / name).parent_path());
    std::ofstream(root / name) << text;
  }
};

TEST_F(FakeMachine, ReadsEachFactFromItsFileAndOnlyFileSystemsWithASize) {
  Write("usr/lib/os-release", "NAME=\"Korvo OS\"\nVERSION=\"1 (raven)\"\n");
  Write("proc/sys/kernel/ostype", "Linux\n");
  Write("proc/sys/kernel/osrelease", "6.1.0-test\n");
  Write("proc/sys/kernel/hostname", "crow\n");
  Write("proc/cpuinfo", "processor : 0\nmodel name : Test CPU\n");
  Write("proc/meminfo", "MemTotal: 2048 kB\nMemAvailable: 1024 kB\n");
  Write("proc/uptime", "90061.5 1.0\n");
  Write("dev/dri/renderD128", "");
  std::filesystem::create_directories(root / "data folder");
  Write("proc/self/mounts",
        "/dev/vda / ext4 rw 0 0\n/dev/vdb /data\\040folder xfs rw 0 0\n"
        "gone /not/there tmpfs rw 0 0\n");

  const SystemFacts facts = ReadSystemFacts(root);
  EXPECT_EQ(facts.os_name, "Korvo OS");
  EXPECT_EQ(facts.os_version, "1 (raven)");
  EXPECT_THAT(facts.kernel, testing::StartsWith("Linux 6.1.0-test"));
  EXPECT_EQ(facts.host_name, "crow");
  EXPECT_EQ(facts.cpu_model, "Test CPU");
  EXPECT_EQ(facts.cpu_count, 1u);
  EXPECT_EQ(facts.memory_total_bytes, 2048u * 1024);
  EXPECT_EQ(facts.uptime_seconds, 90061.5);
  EXPECT_TRUE(facts.gpu_acceleration);
  ASSERT_EQ(facts.file_systems.size(), 2u);
  EXPECT_EQ(facts.file_systems[1].mount_point, "/data folder");
  EXPECT_GT(facts.file_systems[1].size_bytes, 0u);
  EXPECT_LE(facts.file_systems[1].free_bytes, facts.file_systems[1].size_bytes);
}

TEST_F(FakeMachine, KernelAndHostNameComeFromProcOrElseFromUname) {
  utsname names;
  ASSERT_EQ(uname(&names), 0);
  const std::string machine = std::string(" (") + names.machine + ")";
  struct Case {
    bool proc_sys;
    std::string kernel, host_name;
  } const cases[] = {
      {true, "Linux 6.1.0-test" + machine, "crow"},
      {false, std::string(names.sysname) + " " + names.release + machine, names.nodename},
  };
  for (const Case& want : cases) {
    std::filesystem::remove_all(root / "proc");
    if (want.proc_sys) {
      Write("proc/sys/kernel/ostype", "Linux\n");
      Write("proc/sys/kernel/osrelease", "6.1.0-test\n");
      Write("proc/sys/kernel/hostname", "crow\n");
    }
    const SystemFacts facts = ReadSystemFacts(root);
    EXPECT_EQ(facts.kernel, want.kernel);
    EXPECT_EQ(facts.host_name, want.host_name);
  }
}

// Each line as /proc/self/mountinfo has it, and as /proc/self/mounts has it.
struct Mount {
  std::string device_number, root, mount_point, type, device;
};

TEST_F(FakeMachine, ListsEachFileSystemOnceAsDfDoes) {
  const Mount disk{"254:0", "/", "/", "ext4", "/dev/vda"};
  struct Case {
    const char* what;
    std::vector<Mount> table;
    std::vector<std::pair<std::string, std::string>> listed;  // mount point, device
  } const cases[] = {
      {"a later mount on the same mount point hides the earlier",
       {disk,
        {"0:22", "/", "/dev/shm", "tmpfs", "tmpfs"},
        {"0:26", "/", "/dev/shm", "tmpfs", "shm"}},
       {{"/", "/dev/vda"}, {"/dev/shm", "shm"}}},
      {"a file system mounted again elsewhere is listed where it is nearest the root",
       {{"254:0", "/", "/srv/data", "ext4", "/dev/vda"}, disk},
       {{"/", "/dev/vda"}}},
      {"a folder of it mounted nearer the root does not replace its own root",
       {disk,
        {"254:16", "/", "/media/disk", "xfs", "/dev/vdb"},
        {"254:16", "/photos", "/photos", "xfs", "/dev/vdb"}},
       {{"/", "/dev/vda"}, {"/media/disk", "/dev/vdb"}}},
      {"a device name with a slash wins over one without",
       {disk, {"0:30", "/", "/a", "tmpfs", "none"}, {"0:30", "/", "/a/b", "tmpfs", "/dev/x"}},
       {{"/", "/dev/vda"}, {"/a/b", "/dev/x"}}},
  };
  for (const Case& want : cases) {
    std::string info, mounts;
    int id = 20;
    for (const Mount& mount : want.table) {
      std::filesystem::create_directories(root /
                                          std::filesystem::path(mount.mount_point).relative_path());
      info += std::to_string(++id) + " 1 " + mount.device_number + " " + mount.root + " " +
              mount.mount_point + " rw - " + mount.type + " " + mount.device + " rw\n";
      mounts += mount.device + " " + mount.mount_point + " " + mount.type + " rw 0 0\n";
    }
    Write("proc/self/mountinfo", info);
    Write("proc/self/mounts", mounts);
    std::vector<std::pair<std::string, std::string>> listed;
    for (const MountedFileSystem& mount : ReadSystemFacts(root).file_systems)
      listed.emplace_back(mount.mount_point, mount.device);
    EXPECT_EQ(listed, want.listed) << want.what;
  }
}

TEST_F(FakeMachine, AnEmptyMachineReportsUnknownFacts) {
  const std::string report = ReportText(ReadSystemFacts(root));
  EXPECT_THAT(report, HasSubstr("Operating system   unknown\n"));
  EXPECT_THAT(report, HasSubstr("Memory total       unknown\n"));
  EXPECT_THAT(report, HasSubstr("Uptime             unknown\n"));
  EXPECT_THAT(report, HasSubstr("Screen size        unknown\n"));
  EXPECT_THAT(report, HasSubstr("GPU acceleration   not in use (no GPU)\n"));
}

TEST(Format, BytesInBinaryUnitsAndUptimeInWords) {
  const std::pair<std::uint64_t, const char*> bytes[] = {
      {0, "0 bytes"},    {1, "1 byte"},           {1023, "1023 bytes"}, {1024, "1.0 KiB"},
      {1536, "1.5 KiB"}, {5ull << 30, "5.0 GiB"}, {~0ull, "16.0 EiB"}};
  for (const auto& [count, text] : bytes) EXPECT_EQ(FormatBytes(count), text);
  const std::pair<double, const char*> uptimes[] = {
      {0, "0 seconds"},
      {1.9, "1 second"},
      {59, "59 seconds"},
      {60, "1 minute"},
      {3600, "1 hour, 0 minutes"},
      {93784, "1 day, 2 hours, 3 minutes"},
      {2 * 86400 + 60 * 5, "2 days, 0 hours, 5 minutes"}};
  for (const auto& [seconds, text] : uptimes) EXPECT_EQ(FormatUptime(seconds), text);
}

TEST(Report, ListsEveryFactAndAFileSystemTable) {
  SystemFacts facts;
  facts.os_name = "Debian GNU/Linux";
  facts.os_version = "12 (bookworm)";
  facts.cpu_count = 2;
  facts.memory_total_bytes = 1ull << 30;
  facts.display_server = "X11";
  facts.screen_width = 1280;
  facts.screen_height = 1024;
  facts.gtk_version = "4.8.3";
  facts.gpu_acceleration = true;
  facts.webkit_version = "2.50.6";
  facts.korvo_version = "0.1.0";
  facts.file_systems = {{"/dev/vda", "/", "ext4", 2ull << 30, 1ull << 30}};
  const std::string report = ReportText(facts);
  EXPECT_THAT(report, testing::StartsWith("System Information\n\n"));
  EXPECT_THAT(report, HasSubstr("Operating system   Debian GNU/Linux 12 (bookworm)\n"));
  EXPECT_THAT(report, HasSubstr("Processors         2\n"));
  EXPECT_THAT(report, HasSubstr("Memory total       1.0 GiB\n"));
  EXPECT_THAT(report, HasSubstr("Screen size        1280 x 1024 pixels\n"));
  EXPECT_THAT(report, HasSubstr("GTK version        4.8.3\n"));
  EXPECT_THAT(report, HasSubstr("GPU acceleration   in use\n"));
  EXPECT_THAT(report, HasSubstr("WebKitGTK version  2.50.6\n"));
  EXPECT_THAT(report, HasSubstr("Korvo version      0.1.0\n"));
  EXPECT_THAT(report, HasSubstr("File systems\n  Mounted on  Type  Size     Free     Device\n"
                                "  /           ext4  2.0 GiB  1.0 GiB  /dev/vda\n"));
}

}  // namespace
