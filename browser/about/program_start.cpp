// Starts programs with posix_spawn from an intermediate child (see program_start.h).
#include "browser/about/program_start.h"

#include <glib.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "common/errors.h"

extern char** environ;

namespace browser {

namespace {

// The settings of the started program: no descriptor of ours beyond the standard three,
// no signal blocked, and SIGPIPE, which GLib's I/O ignores here, back to its default.
class SpawnSettings {
 public:
  SpawnSettings() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    posix_spawnattr_init(&attributes_);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes_, &signals);
    sigaddset(&signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes_, &signals);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSettings() {
    posix_spawnattr_destroy(&attributes_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;

  // The error number of the start, or 0.
  int Spawn(char* const argv[]) const {
    pid_t pid;
    return posix_spawn(&pid, argv[0], &actions_, &attributes_, argv, environ);
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attributes_;
};

}  // namespace

void SpawnProgramStart::Start(const std::string& program, int) {
  // A file name cannot be empty or hold a zero byte; the rest of the text would be lost.
  if (program.empty() || program.find('\0') != std::string::npos)
    throw common::Error("Invalid procedure call or argument");
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  const SpawnSettings settings;
  // posix_spawn starts only what the kernel executes itself: a file without a "#!" line
  // fails with ENOEXEC, where GLib's spawn would hand it to /bin/sh. It runs in an
  // intermediate child that ends at once, so the program is adopted by init: nobody
  // waits for it and it never lingers as our zombie. The child's exit code carries
  // posix_spawn's error number.
  const pid_t intermediate = fork();
  if (intermediate == 0) _exit(settings.Spawn(argv));
  if (intermediate < 0) throw common::Error(g_strerror(errno));
  int status = 0;
  while (waitpid(intermediate, &status, 0) < 0)
    if (errno != EINTR) throw common::Error(g_strerror(errno));
  if (!WIFEXITED(status)) throw common::Error("The program could not be started");
  if (const int error = WEXITSTATUS(status)) throw common::Error(g_strerror(error));
}

}  // namespace browser
