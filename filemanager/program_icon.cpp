#include "filemanager/program_icon.h"

#include <gio/gio.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/window.h>

#include <algorithm>
#include <string>

// Generated from tavvel.gresource.xml. Naming it here also keeps the linker from
// dropping the resource, which registers itself when the program starts.
extern "C" GResource* tavvel_get_resource();

namespace filemanager {

void InstallProgramIcon() {
  tavvel_get_resource();
  // The application has put its own icons' folder in the theme already. Adding a path
  // again makes the theme load itself anew, in full, at the first icon a window
  // draws: some 60 million instructions on the way to tavvel's first frame.
  const auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  const std::string path = "/org/korvo/tavvel/icons";
  const auto paths = theme->get_resource_path();
  if (std::ranges::none_of(
          paths, [&](const std::string& known) { return known == path || known == path + "/"; }))
    theme->add_resource_path(path);
  Gtk::Window::set_default_icon_name(kProgramIconName);
}

}  // namespace filemanager
