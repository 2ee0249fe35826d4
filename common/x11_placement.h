// Placing a window on the screen, which only X11 lets a program ask for; on other
// systems the window manager decides and these calls do nothing.
#pragma once

#include <gtkmm/window.h>

namespace common {

// Moves the realized window so that its surface's top-left corner is at (x, y) pixels
// from the screen's, and asks the window manager to keep it there, also when GTK
// rewrites the window's size hints later.
void PlaceSurface(Gtk::Window& window, int x, int y);

// Each time window is mapped, its surface is centred over owner's, as a window
// manager that centres transient windows would place it. Owner must outlive window.
void CentreOver(Gtk::Window& window, Gtk::Window& owner);

}  // namespace common
