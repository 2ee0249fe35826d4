// Application start, shared by both programs: the command line, the toolkit, the
// shared style and the handling of untrapped errors, then the event loop until the last
// window closes.
#pragma once

#include <gtkmm/application.h>

#include <functional>
#include <string>
#include <vector>

namespace common {

// Prepares the toolkit the way every window of ours expects it. Tests call it too.
void InitToolkit();

// What a program takes on its command line besides --help and --version, which every
// program answers on the terminal without opening a display.
struct CommandLine {
  const char* program;     // the name --version gives, "korvo"
  const char* parameters;  // the words after the options in --help, "[ADDRESS…]"
  const char* summary;     // what --help says the program does with them
  // Takes those words, unchanged bytes, before any display is opened; returns an exit
  // status to end the program with, or -1 to go on to its window.
  std::function<int(const std::vector<std::string>& words)> take_words;
};

// Runs the program: on_activate creates its start-up window. Each start is a process
// of its own, as the programs keep no state to share.
int RunApplication(const char* application_id, int argc, char** argv,
                   const CommandLine& command_line,
                   const std::function<void(Gtk::Application&)>& on_activate);

}  // namespace common
