// Adding a program's own icons to the display's icon theme.
#pragma once

#include <gdkmm/display.h>
#include <gio/gio.h>
#include <gtkmm/icontheme.h>

#include <algorithm>
#include <string>

namespace common {

// GTK's application adds its resource base path + "/icons" to the theme at start-up.
// Knowing that saves asking the theme, which loads itself on a thread from start-up on:
// any question meanwhile waits for the whole load (some 14 ms of a window's start).
inline bool AddedByApplication(const std::string& path) {
  GApplication* app = g_application_get_default();
  const char* base = app ? g_application_get_resource_base_path(app) : nullptr;
  if (!base) return false;
  const std::string icons = std::string(base) + "/icons";
  return path == icons || path == icons + "/";
}

// Adds the resource folder path to the theme's icon folders, unless it is there
// already: every path added makes the theme load itself anew, in full, at the next
// icon a window draws (some 60 million instructions before a window's first frame).
inline void AddIconResourcePath(const std::string& path) {
  if (AddedByApplication(path)) return;
  const auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  const auto known = theme->get_resource_path();
  if (std::ranges::none_of(
          known, [&](const std::string& folder) { return folder == path || folder == path + "/"; }))
    theme->add_resource_path(path);
}

}  // namespace common
