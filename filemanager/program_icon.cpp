#include "filemanager/program_icon.h"

#include <gio/gio.h>
#include <gtkmm/window.h>

#include "common/icon_theme.h"

// Generated from tavvel.gresource.xml. Naming it here also keeps the linker from
// dropping the resource, which registers itself when the program starts.
extern "C" GResource* tavvel_get_resource();

namespace filemanager {

void InstallProgramIcon() {
  tavvel_get_resource();
  common::AddIconResourcePath("/org/korvo/tavvel/icons");
  Gtk::Window::set_default_icon_name(kProgramIconName);
}

}  // namespace filemanager
