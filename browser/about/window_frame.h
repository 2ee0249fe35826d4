// What a fixed dialog asks of the windowing system beyond GTK: a stored place on the
// screen and no button on the task bar. Only X11 lets a program ask for either; on
// other systems the window manager decides and these calls do nothing.
#pragma once

#include <gtkmm/widget.h>
#include <gtkmm/window.h>

namespace browser {

// From its realization on, window stays off the task bar and its client area, which
// lies right below above_client (its menu bar or title bar), opens with its top-left
// corner at (x, y) pixels from the screen's top-left corner, also under a window
// manager that honours the position a program asks for.
void PlaceOffTaskbar(Gtk::Window& window, Gtk::Widget& above_client, int x, int y);

}  // namespace browser
