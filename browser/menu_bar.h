// The window's menu bar: top-level commands that open no list, each a flat button
// with an access key, in a row styled like a menu bar. A command is the element with
// its Index of a control array, as the window's menus are.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/scrolledwindow.h>
#include <sigc++/signal.h>

#include <string>

namespace browser {

class MenuCommand : public Gtk::Button {
 public:
  // caption marks its access key with "&", as in "&File".
  MenuCommand(const std::string& caption, short index);

  short Index() const { return index_; }
  // Raised when the command is chosen, with its Index.
  sigc::signal<void(short)>& signal_click() { return click_; }

 private:
  void on_clicked() override;

  short index_;
  sigc::signal<void(short)> click_;
};

// A row that a narrow window may cut off at the right rather than be held wide by it.
class MenuBar : public Gtk::ScrolledWindow {
 public:
  MenuBar();
  void Append(MenuCommand& command);

 private:
  Gtk::Box row_;
};

}  // namespace browser
