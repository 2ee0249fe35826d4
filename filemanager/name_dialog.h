// The small modal dialog that asks for a name, for Rename and New Folder.
#pragma once

#include <gtkmm/window.h>

#include <optional>
#include <string>

namespace filemanager {

// Asks for a name over owner, the box showing initial with its first select_length
// characters selected. Returns the name on OK or Enter; nothing on Cancel, Escape or
// closing the dialog.
std::optional<std::string> AskName(Gtk::Window& owner, const std::string& title,
                                   const std::string& initial, int select_length);

}  // namespace filemanager
