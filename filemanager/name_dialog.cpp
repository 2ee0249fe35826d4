// The name dialog: a label, the name box, Cancel and OK, run modally in a loop of its
// own as the message box is.
#include "filemanager/name_dialog.h"

#include <glibmm/main.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>

#include "common/accessible.h"
#include "common/x11_placement.h"

namespace filemanager {

std::optional<std::string> AskName(Gtk::Window& owner, const std::string& title,
                                   const std::string& initial, int select_length) {
  Gtk::Dialog dialog(title, owner, /*modal=*/true);
  dialog.set_hide_on_close(true);
  dialog.set_resizable(false);
  common::CentreOver(dialog, owner);

  Gtk::Label label("_Name:", true);
  Gtk::Entry entry;
  label.set_mnemonic_widget(entry);
  label.set_xalign(0);
  entry.set_text(initial);
  entry.set_activates_default(true);
  entry.set_width_chars(40);
  common::SetAccessibleName(entry, "Name");
  Gtk::Box* content = dialog.get_content_area();
  content->set_spacing(6);
  content->set_margin(12);
  content->append(label);
  content->append(entry);
  Gtk::Button* cancel = dialog.add_button("_Cancel", Gtk::ResponseType::CANCEL);
  Gtk::Button* ok = dialog.add_button("_OK", Gtk::ResponseType::OK);
  common::SetAccessibleName(*cancel, "Cancel");
  common::SetAccessibleName(*ok, "OK");
  dialog.set_default_response(Gtk::ResponseType::OK);

  std::optional<std::string> answer;
  auto loop = Glib::MainLoop::create();
  // Escape and the window's close button answer as Cancel does.
  dialog.signal_response().connect([&](int response) {
    if (response == Gtk::ResponseType::OK) answer = entry.get_text();
    loop->quit();
  });
  dialog.show();
  entry.grab_focus();
  entry.select_region(0, select_length);
  loop->run();
  dialog.hide();
  return answer;
}

}  // namespace filemanager
