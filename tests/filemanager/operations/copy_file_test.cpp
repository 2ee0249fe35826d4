// CopyFile on real files: what a copy keeps, what it refuses, and that a copy that does
// not finish leaves the destination folder as it was.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "filemanager/operations/file_operations.h"
#include "filemanager/operations/unique_fd.h"
#include "test_files.h"

namespace {

using filemanager::CopyFile;
using testing::ElementsAre;
using testing_files::Exists;
using testing_files::LStatusOf;
using testing_files::PatternBytes;
using testing_files::ReadFile;
using testing_files::RecordingMonitor;
using testing_files::StatusOf;
using testing_files::TempFolder;
using testing_files::WriteFile;

// Runs a copy and returns its error's description, or "" when it succeeded.
std::string CopyError(const std::string& from, const std::string& to) {
  RecordingMonitor monitor;
  try {
    CopyFile(from, to, monitor);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

class CopyFileTest : public testing::Test {
 protected:
  TempFolder source_folder_;
  TempFolder target_folder_;
};

TEST_F(CopyFileTest, CopyIsByteIdenticalAndKeepsModeAndTimes) {
  const std::string bytes = PatternBytes(20u << 20);  // several chunks
  WriteFile(source_folder_ / "data.bin", bytes, 0640);
  const struct timespec times[2] = {{1000000000, 123456789}, {1234567890, 987654321}};
  ASSERT_EQ(utimensat(AT_FDCWD, (source_folder_ / "data.bin").c_str(), times, 0), 0);
  const mode_t old_mask = umask(077);  // the copy keeps the bits whatever the mask

  RecordingMonitor monitor;
  CopyFile(source_folder_ / "data.bin", target_folder_ / "data.bin", monitor);
  umask(old_mask);

  EXPECT_EQ(ReadFile(target_folder_ / "data.bin"), bytes);
  const struct stat copy = StatusOf(target_folder_ / "data.bin");
  EXPECT_EQ(copy.st_mode & 07777, 0640u);
  EXPECT_EQ(copy.st_mtim.tv_sec, 1234567890);
  EXPECT_EQ(copy.st_mtim.tv_nsec, 987654321);
  ASSERT_FALSE(monitor.calls.empty());
  // The total is known before the first byte is copied.
  EXPECT_EQ(monitor.calls.front(), std::make_pair<std::uint64_t>(0, bytes.size()));
  EXPECT_EQ(monitor.calls.back(), std::make_pair<std::uint64_t>(bytes.size(), bytes.size()));
  for (std::size_t i = 1; i < monitor.calls.size(); ++i) {
    EXPECT_LE(monitor.calls[i - 1].first, monitor.calls[i].first);
  }
  EXPECT_THAT(target_folder_.Names(), ElementsAre("data.bin"));
}

TEST_F(CopyFileTest, CopiesAnEmptyFileAndOneThatReportsNoSize) {
  WriteFile(source_folder_ / "empty", "");
  EXPECT_EQ(CopyError(source_folder_ / "empty", target_folder_ / "empty"), "");
  EXPECT_EQ(ReadFile(target_folder_ / "empty"), "");
  // A file that reports no size but has contents, as those under /proc do.
  ASSERT_EQ(StatusOf("/proc/self/mounts").st_size, 0);
  EXPECT_EQ(CopyError("/proc/self/mounts", target_folder_ / "mounts"), "");
  EXPECT_NE(ReadFile(target_folder_ / "mounts").find(" / "), std::string::npos);
}

TEST_F(CopyFileTest, SparseFileStaysSparse) {
  const std::string path = source_folder_ / "sparse";
  const std::string head = PatternBytes(1u << 20, 2), middle = PatternBytes(1u << 20, 3);
  const off_t size = 64ll << 20;  // ends in a hole
  {
    const filemanager::UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    ASSERT_TRUE(fd);
    ASSERT_EQ(pwrite(fd.get(), head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
    ASSERT_EQ(pwrite(fd.get(), middle.data(), middle.size(), 40ll << 20),
              static_cast<ssize_t>(middle.size()));
    ASSERT_EQ(ftruncate(fd.get(), size), 0);
  }
  const struct stat source = StatusOf(path);
  if (source.st_blocks * 512 >= size) GTEST_SKIP() << "this file system keeps no holes";

  EXPECT_EQ(CopyError(path, target_folder_ / "sparse"), "");

  const struct stat copy = StatusOf(target_folder_ / "sparse");
  EXPECT_EQ(copy.st_size, size);
  EXPECT_LE(copy.st_blocks, source.st_blocks + 64);  // allocation granularity aside
  const std::string copied = ReadFile(target_folder_ / "sparse");
  EXPECT_EQ(copied.substr(0, head.size()), head);
  EXPECT_EQ(copied.substr(40u << 20, middle.size()), middle);
  EXPECT_EQ(copied.find_first_not_of('\0', head.size()), 40u << 20);
  EXPECT_EQ(copied.find_first_not_of('\0', (40u << 20) + middle.size()), std::string::npos);
}

TEST_F(CopyFileTest, ExistingDestinationIsNeverReplaced) {
  WriteFile(source_folder_ / "f", "new");
  WriteFile(target_folder_ / "f", "old");
  EXPECT_EQ(CopyError(source_folder_ / "f", target_folder_ / "f"), "File already exists");
  EXPECT_EQ(ReadFile(target_folder_ / "f"), "old");
  // A dangling symbolic link is an existing name as well, and is not followed.
  ASSERT_EQ(symlink("nowhere", (target_folder_ / "g").c_str()), 0);
  EXPECT_EQ(CopyError(source_folder_ / "f", target_folder_ / "g"), "File already exists");
  EXPECT_FALSE(Exists(target_folder_ / "nowhere"));
  EXPECT_THAT(target_folder_.Names(), ElementsAre("f", "g"));
}

TEST_F(CopyFileTest, DestinationAppearingDuringTheCopyIsNotReplaced) {
  WriteFile(source_folder_ / "f", PatternBytes(20u << 20));
  RecordingMonitor monitor;
  monitor.on_progress = [&] {
    if (!Exists(target_folder_ / "f")) WriteFile(target_folder_ / "f", "came first");
  };
  try {
    CopyFile(source_folder_ / "f", target_folder_ / "f", monitor);
    ADD_FAILURE() << "the copy replaced a file that appeared during it";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "File already exists");
  }
  EXPECT_FALSE(monitor.calls.empty());
  EXPECT_EQ(ReadFile(target_folder_ / "f"), "came first");
  EXPECT_THAT(target_folder_.Names(), ElementsAre("f"));
}

// Each way of naming the source again as the destination.
struct SameFileCase {
  const char* label;
  std::function<std::string(const TempFolder&)> destination;
  std::function<std::string(const TempFolder&)> source;
};

void PrintTo(const SameFileCase& same_file_case, std::ostream* out) {
  *out << same_file_case.label;
}

class CopyOntoItselfTest : public testing::TestWithParam<SameFileCase> {
 protected:
  TempFolder folder_;
};

std::string Original(const TempFolder& folder) { return folder / "f"; }

const SameFileCase kSameFileCases[] = {
    {"SamePath", Original, Original},
    {"DotSpelling", [](const TempFolder& f) { return f.path() + "/./f"; }, Original},
    {"DoubledSlash", [](const TempFolder& f) { return f.path() + "//f"; }, Original},
    {"ParentSpelling",
     [](const TempFolder& f) {
       return f.path() + "/../" + f.path().substr(f.path().rfind('/') + 1) + "/f";
     },
     Original},
    {"HardLink",
     [](const TempFolder& f) {
       EXPECT_EQ(link((f / "f").c_str(), (f / "hard").c_str()), 0);
       return f / "hard";
     },
     Original},
    {"DestinationLinksToSource",
     [](const TempFolder& f) {
       EXPECT_EQ(symlink("f", (f / "link").c_str()), 0);
       return f / "link";
     },
     Original},
    {"SourceLinksToDestination", Original,
     [](const TempFolder& f) {
       EXPECT_EQ(symlink("f", (f / "link").c_str()), 0);
       return f / "link";
     }},
};

TEST_P(CopyOntoItselfTest, IsRefusedAndLeavesTheFileUntouched) {
  WriteFile(folder_ / "f", "contents", 0600);
  const std::string destination = GetParam().destination(folder_);
  const std::string source = GetParam().source(folder_);
  const auto names = folder_.Names();
  const struct stat before = StatusOf(folder_ / "f");

  EXPECT_EQ(CopyError(source, destination), "Source and destination are the same file");

  EXPECT_EQ(ReadFile(folder_ / "f"), "contents");
  const struct stat after = StatusOf(folder_ / "f");
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(folder_.Names(), names);
}

INSTANTIATE_TEST_SUITE_P(Spellings, CopyOntoItselfTest, testing::ValuesIn(kSameFileCases),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(CopyFileTest, CancelLeavesNoPartialFile) {
  WriteFile(source_folder_ / "big", PatternBytes(30u << 20));
  RecordingMonitor monitor;
  monitor.cancel_at_call = 1;
  try {
    CopyFile(source_folder_ / "big", target_folder_ / "big", monitor);
    ADD_FAILURE() << "the copy ignored the cancel";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "Operation cancelled");
  }
  EXPECT_TRUE(target_folder_.Names().empty());

  monitor.calls.clear();
  monitor.cancel_at_call = 0;  // cancelled before it starts
  EXPECT_THROW(CopyFile(source_folder_ / "big", target_folder_ / "big", monitor), std::exception);
  EXPECT_TRUE(target_folder_.Names().empty());
}

TEST_F(CopyFileTest, FullDiskLeavesNoPartialFileAndFreesTheSpace) {
  testing_files::SmallFileSystem small("1m");
  if (!small.mounted()) GTEST_SKIP() << small.reason();
  WriteFile(source_folder_ / "big", PatternBytes(3u << 20));
  struct statvfs before, after;
  ASSERT_EQ(statvfs(small.path().c_str(), &before), 0);

  EXPECT_EQ(CopyError(source_folder_ / "big", small.path() + "/big"),
            "No space left on the device");

  EXPECT_FALSE(Exists(small.path() + "/big"));
  ASSERT_EQ(statvfs(small.path().c_str(), &after), 0);
  EXPECT_EQ(after.f_bfree, before.f_bfree);
}

TEST_F(CopyFileTest, NamedPipeIsRefusedWithoutWaitingForAWriter) {
  const std::string pipe = source_folder_ / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  auto copy =
      std::async(std::launch::async, [&] { return CopyError(pipe, target_folder_ / "pipe"); });
  if (copy.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    // Give the blocked reader a writer so the test can end, then fail.
    close(open(pipe.c_str(), O_WRONLY | O_NONBLOCK));
    ADD_FAILURE() << "the copy waited on the named pipe";
  }
  EXPECT_EQ(copy.get(), "Not a regular file: it is a named pipe");
  EXPECT_TRUE(target_folder_.Names().empty());
}

TEST_F(CopyFileTest, DevicesFoldersAndMissingFilesAreRefused) {
  EXPECT_EQ(CopyError("/dev/zero", target_folder_ / "zero"), "Not a regular file: it is a device");
  EXPECT_EQ(CopyError(source_folder_.path(), target_folder_ / "folder"), "Is a folder, not a file");
  EXPECT_EQ(CopyError(source_folder_ / "missing", target_folder_ / "missing"),
            "The file does not exist");
  ASSERT_EQ(symlink("missing", (source_folder_ / "dangling").c_str()), 0);
  EXPECT_EQ(CopyError(source_folder_ / "dangling", target_folder_ / "dangling"),
            "The file does not exist");
  EXPECT_TRUE(target_folder_.Names().empty());

  WriteFile(source_folder_ / "f", "x");
  EXPECT_EQ(CopyError(source_folder_ / "f", target_folder_ / "no-folder/f"),
            "The destination folder does not exist");
  EXPECT_EQ(CopyError(source_folder_ / "f", target_folder_.path() + "/"),
            "The destination has no file name");
}

TEST_F(CopyFileTest, SymbolicLinkIsCopiedAsWhatItPointsTo) {
  WriteFile(source_folder_ / "target", "pointed at", 0600);
  ASSERT_EQ(symlink("target", (source_folder_ / "link").c_str()), 0);

  EXPECT_EQ(CopyError(source_folder_ / "link", target_folder_ / "link"), "");

  const struct stat copy = LStatusOf(target_folder_ / "link");
  EXPECT_TRUE(S_ISREG(copy.st_mode));
  EXPECT_EQ(copy.st_mode & 07777, 0600u);
  EXPECT_EQ(ReadFile(target_folder_ / "link"), "pointed at");
  EXPECT_TRUE(S_ISLNK(LStatusOf(source_folder_ / "link").st_mode));
}

TEST_F(CopyFileTest, NameThatIsNotUtf8IsCopiedUnderItsOwnBytes) {
  const std::string odd = "caf\xe9-\xff.txt";
  const std::string look_alike = "caf\xc3\xa9-\xef\xbf\xbd.txt";  // how it is displayed
  WriteFile(source_folder_ / odd, "odd");
  WriteFile(target_folder_ / look_alike, "look-alike");

  EXPECT_EQ(CopyError(source_folder_ / odd,
                      target_folder_ / filemanager::FileNameOf(source_folder_ / odd)),
            "");

  EXPECT_EQ(ReadFile(target_folder_ / odd), "odd");
  EXPECT_EQ(ReadFile(target_folder_ / look_alike), "look-alike");
}

// Linking a staged file by its descriptor once needed a privilege ordinary users lack
// (kernels before 6.10); the copy must work without it.
TEST_F(CopyFileTest, CopiesWithoutThePrivilegeToLinkByDescriptor) {
  WriteFile(source_folder_ / "f", "unprivileged");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0) _exit(2);
    data[CAP_TO_INDEX(CAP_DAC_READ_SEARCH)].effective &= ~CAP_TO_MASK(CAP_DAC_READ_SEARCH);
    if (syscall(SYS_capset, &header, data) != 0) _exit(2);
    _exit(CopyError(source_folder_ / "f", target_folder_ / "f").empty() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "this process may not change its capabilities";
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(target_folder_ / "f"), "unprivileged");
}

TEST_F(CopyFileTest, LockedDestinationFolderGivesPermissionDenied) {
  WriteFile(source_folder_ / "f", "x");
  const std::string why_not = testing_files::LockFolder(target_folder_.path(), true);
  if (!why_not.empty()) GTEST_SKIP() << why_not;
  const std::string error = CopyError(source_folder_ / "f", target_folder_ / "f");
  testing_files::LockFolder(target_folder_.path(), false);
  EXPECT_EQ(error, "Permission denied");
  EXPECT_TRUE(target_folder_.Names().empty());
}

}  // namespace
