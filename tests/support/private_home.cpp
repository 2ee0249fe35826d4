// Linked into every test program that creates real WebKit views: before anything reads
// them, HOME and the XDG folders point into a temporary folder of the process's own,
// so the engine's cookies, site data and cache never reach the real user's folders,
// and no test sees what another left.
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "korvo-home-";

// The engine's processes outlive the test program by a moment and may still write to
// its folder after the program removed it: the next program removes what a program
// that has ended left.
void RemoveFoldersOfEndedPrograms() {
  std::error_code error;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(fs::temp_directory_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (!name.starts_with(kPrefix)) continue;
    const pid_t pid = static_cast<pid_t>(std::atol(name.c_str() + std::string(kPrefix).size()));
    if (pid > 0 && kill(pid, 0) != 0) fs::remove_all(entry.path(), error);
  }
}

class PrivateHome {
 public:
  PrivateHome() {
    RemoveFoldersOfEndedPrograms();
    std::string pattern =
        (fs::temp_directory_path() / (kPrefix + std::to_string(getpid()) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return;
    root_ = pattern;
    setenv("HOME", root_.c_str(), 1);
    for (const char* variable :
         {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
      setenv(variable, (root_ + "/" + variable).c_str(), 1);
  }
  ~PrivateHome() {
    std::error_code error;
    if (!root_.empty()) fs::remove_all(root_, error);
  }
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

 private:
  std::string root_;
};

const PrivateHome private_home;

}  // namespace
