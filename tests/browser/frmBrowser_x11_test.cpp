// frmBrowser on X11, the one windowing system that lets a program ask for its window's
// place on the screen and for no taskbar button.
#include "tests/browser/window_fixture.h"

// Xlib's macros (None, Success...) clash with C++ headers, so it comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/x11/gdkx.h>

namespace {

using testing_support::BrowserWindowTest;

// The atoms of the window's _NET_WM_STATE, as GDK set them for the window manager.
std::vector<std::string> WindowStates(Display* display, ::Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<std::string> states;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64,
                         False, XA_ATOM, &type, &format, &count, &remaining, &data) != Success)
    return states;
  for (unsigned long i = 0; i < count; ++i) {
    char* name = XGetAtomName(display, reinterpret_cast<Atom*>(data)[i]);
    states.emplace_back(name);
    XFree(name);
  }
  if (data) XFree(data);
  return states;
}

TEST_F(BrowserWindowTest, OnX11TheClientAreaOpensAtItsStoredPlaceWithNoTaskbarButton) {
  LoadAndShow();
  GdkSurface* surface = form->get_surface()->gobj();
  if (!GDK_IS_X11_SURFACE(surface)) GTEST_SKIP() << "only X11 lets a window ask for this";
  Display* display = GDK_SURFACE_XDISPLAY(surface);
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, GDK_SURFACE_XID(surface), DefaultRootWindow(display), 0, 0, &x, &y,
                        &child);
  // No window manager runs here, so the window stands where it asked to.
  double client_x = 0, client_y = 0;
  ASSERT_TRUE(form->brwWebBrowser.AsWidget().get_parent()->translate_coordinates(
      *form, 0, 0, client_x, client_y));
  EXPECT_EQ(x + client_x, 3060 / 15);
  EXPECT_EQ(y + client_y, 3630 / 15);
  EXPECT_THAT(WindowStates(display, GDK_SURFACE_XID(surface)),
              testing::Contains("_NET_WM_STATE_SKIP_TASKBAR"));
}

}  // namespace
