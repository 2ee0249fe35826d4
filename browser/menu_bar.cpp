#include "browser/menu_bar.h"

#include "browser/captions.h"
#include "common/accessible.h"

namespace browser {

MenuCommand::MenuCommand(const std::string& caption, short index)
    : Gtk::Button(MnemonicCaption(caption), true), index_(index) {
  set_has_frame(false);
  set_focus_on_click(false);
  add_css_class("menubar-command");
  common::SetAccessibleName(*this, PlainCaption(caption));
}

void MenuCommand::on_clicked() { click_.emit(index_); }

MenuBar::MenuBar() {
  // No scroll bar and no claim on the window's width; the height follows the row.
  set_policy(Gtk::PolicyType::EXTERNAL, Gtk::PolicyType::NEVER);
  set_propagate_natural_width(true);
  set_propagate_natural_height(true);
  add_css_class("korvo-menubar");
  set_child(row_);
}

void MenuBar::Append(MenuCommand& command) { row_.append(command); }

}  // namespace browser
