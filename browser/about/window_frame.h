// What a fixed dialog asks of the windowing system beyond GTK: a stored place on the
// screen and no button on the task bar. Only X11 lets a program ask for either; on
// other systems the window manager decides and these calls do nothing.
#pragma once

#include <gtkmm/window.h>

namespace browser {

// From its realization on, window's frame stands at (x, y) pixels from the screen's
// top-left corner and it stays off the task bar.
void PlaceOffTaskbar(Gtk::Window& window, int x, int y);

}  // namespace browser
