// Application start, shared by both programs: the toolkit, the shared style and the
// handling of untrapped errors, then the event loop until the last window closes.
#pragma once

#include <gtkmm/application.h>

#include <functional>

namespace common {

// Prepares the toolkit the way every window of ours expects it. Tests call it too.
void InitToolkit();

// Runs the program: on_activate creates its start-up window. Each start is a process
// of its own, as the programs keep no state to share.
int RunApplication(const char* application_id,
                   const std::function<void(Gtk::Application&)>& on_activate);

}  // namespace common
