// Starts programs through GLib's spawn (see program_start.h).
#include "browser/about/program_start.h"

#include <glib.h>

#include "common/errors.h"

namespace browser {

void SpawnProgramStart::Start(const std::string& program, int) {
  // A file name cannot be empty or hold a zero byte; the rest of the text would be lost.
  if (program.empty() || program.find('\0') != std::string::npos)
    throw common::Error("Invalid procedure call or argument");
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  GError* error = nullptr;
  // Without G_SPAWN_DO_NOT_REAP_CHILD GLib starts the program through an intermediate
  // child that it reaps at once: the program is adopted by init and never our zombie.
  if (!g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &error)) {
    const std::string description = error->message;
    g_error_free(error);
    throw common::Error(description);
  }
}

}  // namespace browser
