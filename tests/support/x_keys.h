// Real key presses for tests that drive windows: xdotool gives a window the X server's
// keyboard focus and presses keys on it, as a user's keyboard would.
#pragma once

#include <glibmm/spawn.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <string>
#include <vector>

// Last: Xlib's macros would clash with the C++ headers.
#include <gdk/x11/gdkx.h>

namespace testing_support {

// Presses keys (xdotool's names, separated by spaces, such as "ctrl+c BackSpace") on
// window, after giving it the keyboard; true when xdotool did so.
inline bool PressKeys(Gtk::Window& window, const std::string& keys) {
  const auto xid = gdk_x11_surface_get_xid(window.get_surface()->gobj());
  std::vector<std::string> argv = {"xdotool",           "windowfocus", "--sync",
                                   std::to_string(xid), "key",         "--clearmodifiers"};
  for (std::size_t at = 0; at <= keys.size();) {
    const std::size_t space = std::min(keys.find(' ', at), keys.size());
    argv.push_back(keys.substr(at, space - at));
    at = space + 1;
  }
  int status = 0;
  Glib::spawn_sync("", argv, Glib::SpawnFlags::SEARCH_PATH, {}, nullptr, nullptr, &status);
  return status == 0;
}

}  // namespace testing_support
