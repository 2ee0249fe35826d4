// Placement and task bar hint for X11 windows (see window_frame.h).
#include "browser/about/window_frame.h"

#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#ifdef GDK_WINDOWING_X11
#include <gdk/x11/gdkx.h>
#endif

#include "common/x11_placement.h"

namespace browser {

namespace {

void Apply(Gtk::Window* window, Gtk::Widget* above_client, int x, int y) {
#ifdef GDK_WINDOWING_X11
  GdkSurface* surface = window->get_surface() ? window->get_surface()->gobj() : nullptr;
  if (!surface || !GDK_IS_X11_SURFACE(surface)) return;
  gdk_x11_surface_set_skip_taskbar_hint(surface, TRUE);
  // The client area lies below the window's own frame (drawn by GTK for a window
  // with a title bar of its own) and below above_client, at its natural height.
  double frame_left = 0, frame_top = 0;
  gtk_native_get_surface_transform(GTK_NATIVE(window->gobj()), &frame_left, &frame_top);
  int minimum = 0, natural = 0, baseline = 0;
  above_client->measure(Gtk::Orientation::VERTICAL, -1, minimum, natural, baseline, baseline);
  const int left = x - static_cast<int>(std::lround(frame_left));
  const int top = std::max(0, y - static_cast<int>(std::lround(frame_top)) - natural);
  common::PlaceSurface(*window, left, top);
#else
  (void)window, (void)above_client, (void)x, (void)y;
#endif
}

}  // namespace

void PlaceOffTaskbar(Gtk::Window& window, Gtk::Widget& above_client, int x, int y) {
  window.signal_realize().connect(sigc::bind(sigc::ptr_fun(&Apply), &window, &above_client, x, y));
}

}  // namespace browser
