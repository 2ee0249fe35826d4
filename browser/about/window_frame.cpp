// Placement and task bar hint for X11 windows (see window_frame.h).
#include "browser/about/window_frame.h"

#include <gdk/gdk.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#ifdef GDK_WINDOWING_X11
#include <gdk/x11/gdkx.h>
// Xlib's macros (None, Status...) clash with C++ headers, so it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace browser {

namespace {

#ifdef GDK_WINDOWING_X11

// A window manager places a window whose WM_NORMAL_HINTS ask for no position where it
// likes. Static gravity keeps the X window itself, rather than the frame the manager
// puts round it, at the place asked for.
void AskForPosition(GdkSurface* surface) {
  Display* display = GDK_SURFACE_XDISPLAY(surface);
  const ::Window window = GDK_SURFACE_XID(surface);
  constexpr long kPositionFlags = PPosition | USPosition | PWinGravity;
  XSizeHints hints{};
  long supplied = 0;
  if (!XGetWMNormalHints(display, window, &hints, &supplied)) hints.flags = 0;
  if ((hints.flags & kPositionFlags) == kPositionFlags && hints.win_gravity == StaticGravity)
    return;
  hints.flags |= kPositionFlags;
  hints.win_gravity = StaticGravity;
  XSetWMNormalHints(display, window, &hints);
}

// GDK writes WM_NORMAL_HINTS anew whenever the window's size limits change, leaving
// the position out; it is put back each time.
gboolean OnXEvent(GdkX11Display*, gpointer xevent, gpointer surface) {
  const auto* event = static_cast<const XEvent*>(xevent);
  if (event->type == PropertyNotify && event->xproperty.atom == XA_WM_NORMAL_HINTS &&
      event->xproperty.state == PropertyNewValue &&
      event->xproperty.window == GDK_SURFACE_XID(GDK_SURFACE(surface)))
    AskForPosition(GDK_SURFACE(surface));
  return FALSE;
}

#endif

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
  XMoveWindow(GDK_SURFACE_XDISPLAY(surface), GDK_SURFACE_XID(surface), left, top);
  AskForPosition(surface);
  g_signal_connect_object(gdk_surface_get_display(surface), "xevent", G_CALLBACK(OnXEvent), surface,
                          G_CONNECT_DEFAULT);
#else
  (void)window, (void)above_client, (void)x, (void)y;
#endif
}

}  // namespace

void PlaceOffTaskbar(Gtk::Window& window, Gtk::Widget& above_client, int x, int y) {
  window.signal_realize().connect(sigc::bind(sigc::ptr_fun(&Apply), &window, &above_client, x, y));
}

}  // namespace browser
