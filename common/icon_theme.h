// Adding a program's own icons to the display's icon theme.
#pragma once

#include <gdkmm/display.h>
#include <gtkmm/icontheme.h>

#include <algorithm>
#include <string>

namespace common {

// Adds the resource folder path to the theme's icon folders, unless it is there
// already: the application puts its own (its id's resource path + "/icons") there at
// start-up, and every path added makes the theme load itself anew, in full, at the next
// icon a window draws (some 60 million instructions before a window's first frame).
inline void AddIconResourcePath(const std::string& path) {
  const auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  const auto known = theme->get_resource_path();
  if (std::ranges::none_of(
          known, [&](const std::string& folder) { return folder == path || folder == path + "/"; }))
    theme->add_resource_path(path);
}

}  // namespace common
