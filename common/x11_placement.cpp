// Placement of X11 windows (see x11_placement.h).
#include "common/x11_placement.h"

#include <gdk/gdk.h>

#include <algorithm>
#ifdef GDK_WINDOWING_X11
#include <gdk/x11/gdkx.h>
// Xlib's macros (None, Status...) clash with C++ headers, so it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace common {

namespace {

#ifdef GDK_WINDOWING_X11

GdkSurface* X11SurfaceOf(Gtk::Window& window) {
  GdkSurface* surface = window.get_surface() ? window.get_surface()->gobj() : nullptr;
  return surface && GDK_IS_X11_SURFACE(surface) ? surface : nullptr;
}

// A window manager places a window whose WM_NORMAL_HINTS ask for no position where it
// likes. Static gravity keeps the X window itself, rather than the frame the manager
// puts round it, at the place asked for.
// The X window may be gone already when a late event about it arrives: the error that
// asking about it then raises is ignored.
void AskForPosition(GdkSurface* surface) {
  if (gdk_surface_is_destroyed(surface)) return;
  GdkDisplay* gdk_display = gdk_surface_get_display(surface);
  Display* display = GDK_SURFACE_XDISPLAY(surface);
  const ::Window window = GDK_SURFACE_XID(surface);
  constexpr long kPositionFlags = PPosition | USPosition | PWinGravity;
  XSizeHints hints{};
  long supplied = 0;
  gdk_x11_display_error_trap_push(gdk_display);
  if (!XGetWMNormalHints(display, window, &hints, &supplied)) hints.flags = 0;
  if ((hints.flags & kPositionFlags) != kPositionFlags || hints.win_gravity != StaticGravity) {
    hints.flags |= kPositionFlags;
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(display, window, &hints);
  }
  gdk_x11_display_error_trap_pop_ignored(gdk_display);
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

void Centre(Gtk::Window* window, Gtk::Window* owner) {
  GdkSurface* surface = X11SurfaceOf(*window);
  GdkSurface* over = X11SurfaceOf(*owner);
  if (!surface || !over) return;
  Display* display = GDK_SURFACE_XDISPLAY(surface);
  int owner_left = 0, owner_top = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, GDK_SURFACE_XID(over), DefaultRootWindow(display), 0, 0,
                        &owner_left, &owner_top, &child);
  XWindowAttributes owner_size{}, size{};
  XGetWindowAttributes(display, GDK_SURFACE_XID(over), &owner_size);
  XGetWindowAttributes(display, GDK_SURFACE_XID(surface), &size);
  const int left = owner_left + (owner_size.width - size.width) / 2;
  const int top = owner_top + (owner_size.height - size.height) / 2;
  XMoveWindow(display, GDK_SURFACE_XID(surface), std::max(0, left), std::max(0, top));
  AskForPosition(surface);
}

#endif

}  // namespace

void PlaceSurface(Gtk::Window& window, int x, int y) {
#ifdef GDK_WINDOWING_X11
  GdkSurface* surface = X11SurfaceOf(window);
  if (!surface) return;
  XMoveWindow(GDK_SURFACE_XDISPLAY(surface), GDK_SURFACE_XID(surface), x, y);
  AskForPosition(surface);
  g_signal_connect_object(gdk_surface_get_display(surface), "xevent", G_CALLBACK(OnXEvent), surface,
                          G_CONNECT_DEFAULT);
#else
  (void)window, (void)x, (void)y;
#endif
}

void CentreOver(Gtk::Window& window, Gtk::Window& owner) {
#ifdef GDK_WINDOWING_X11
  window.signal_map().connect(sigc::bind(sigc::ptr_fun(&Centre), &window, &owner));
#else
  (void)window, (void)owner;
#endif
}

}  // namespace common
