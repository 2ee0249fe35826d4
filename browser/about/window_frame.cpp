// Placement and task bar hint for X11 windows (see window_frame.h).
#include "browser/about/window_frame.h"

#include <gdk/gdk.h>
#ifdef GDK_WINDOWING_X11
#include <X11/Xlib.h>
#include <gdk/x11/gdkx.h>
#endif

namespace browser {

namespace {

void Apply(Gtk::Window* window, int x, int y) {
#ifdef GDK_WINDOWING_X11
  GdkSurface* surface = window->get_surface() ? window->get_surface()->gobj() : nullptr;
  if (!surface || !GDK_IS_X11_SURFACE(surface)) return;
  gdk_x11_surface_set_skip_taskbar_hint(surface, TRUE);
  XMoveWindow(GDK_SURFACE_XDISPLAY(surface), GDK_SURFACE_XID(surface), x, y);
#else
  (void)window, (void)x, (void)y;
#endif
}

}  // namespace

void PlaceOffTaskbar(Gtk::Window& window, int x, int y) {
  window.signal_realize().connect(sigc::bind(sigc::ptr_fun(&Apply), &window, x, y));
}

}  // namespace browser
