// Starting another program, as the system information launcher does it.
#pragma once

#include <string>

namespace browser {

// Window style: a normal window that receives the focus.
inline constexpr int kNormalFocus = 1;

class ProgramStart {
 public:
  virtual ~ProgramStart() = default;
  // Starts the program whose file program names and returns at once, without waiting
  // for it. Throws common::Error with a description when it cannot be started.
  virtual void Start(const std::string& program, int window_style) = 0;
};

// Starts programs as processes of their own: program is the file to run, taken whole
// as the one entry of the argument vector (no shell, no word splitting, no search of
// PATH), and the new process is detached, so nobody waits for it and it never lingers
// as a zombie. Only what the kernel can execute starts: a binary, or a script whose
// "#!" line names its interpreter; a text file without one is not handed to a shell.
// The window style is the started program's own business on this system.
class SpawnProgramStart : public ProgramStart {
 public:
  void Start(const std::string& program, int window_style) override;
};

}  // namespace browser
