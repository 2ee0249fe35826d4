// A file system that hangs for real: a FUSE mount whose server never answers, as when
// the daemon behind a FUSE or network mount is stopped. Every request to it (opening
// the folder, looking up a name in it) waits in the kernel until Release aborts the
// connection; from then on each fails at once.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <glibmm/main.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

namespace testing_support {

class HungMount {
 public:
  // Mounts over the empty folder at path; Error says why when that is not permitted.
  explicit HungMount(std::string path) : path_(std::move(path)) {
    const int fd = open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fd < 0) {
      error_ = std::string("cannot open /dev/fuse: ") + std::strerror(errno);
      return;
    }
    const std::string options = "fd=" + std::to_string(fd) + ",rootmode=40000,user_id=0,group_id=0";
    if (mount("tavvel-test", path_.c_str(), "fuse", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
      error_ = std::string("cannot mount a FUSE file system: ") + std::strerror(errno);
      close(fd);
      return;
    }
    fd_ = fd;
    mounted_ = true;
  }
  ~HungMount() {
    Release();
    releaser_ = {};  // stops and joins a releaser still waiting
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  HungMount(const HungMount&) = delete;
  HungMount& operator=(const HungMount&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }

  // Ends the hang: the requests waiting, and all later ones, fail.
  void Release() {
    const int fd = fd_.exchange(-1);
    if (fd >= 0) close(fd);
  }
  // Releases from another thread after delay, which frees a window that waits for
  // the file system on its own thread, however long the test then finds it stalled.
  void ReleaseAfter(std::chrono::milliseconds delay) {
    releaser_ = std::jthread([this, delay](std::stop_token stop) {
      std::mutex mutex;
      std::unique_lock lock(mutex);
      std::condition_variable_any().wait_for(lock, stop, delay, [] { return false; });
      Release();
    });
  }

 private:
  std::string path_;
  bool mounted_ = false;
  std::atomic<int> fd_{-1};
  std::string error_;
  std::jthread releaser_;
};

// The longest time the event loop stayed away between two turns while it lived.
class LoopWatch {
 public:
  LoopWatch() : last_(Clock::now()) {
    connection_ = Glib::signal_timeout().connect(
        [this] {
          const auto now = Clock::now();
          longest_ = std::max(longest_, now - last_);
          last_ = now;
          return true;
        },
        10);
  }
  ~LoopWatch() { connection_.disconnect(); }
  LoopWatch(const LoopWatch&) = delete;
  LoopWatch& operator=(const LoopWatch&) = delete;

  std::chrono::milliseconds Longest() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::max(longest_, Clock::now() - last_));
  }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point last_;
  Clock::duration longest_{};
  sigc::connection connection_;
};

}  // namespace testing_support
