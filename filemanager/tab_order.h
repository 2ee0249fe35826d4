// A window's Tab order by the controls' tab indexes rather than by their places on
// screen, which is what GTK would otherwise follow: Tab and Shift+Tab move the focus
// through the controls in the order given, skipping those that take no focus now.
#pragma once

#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/window.h>

#include <vector>

namespace filemanager {

class TabOrder {
 public:
  // controls, in tab order, must live as long as window.
  TabOrder(Gtk::Window& window, std::vector<Gtk::Widget*> controls);

  // Moves the focus to the next (or previous) control that takes it, wrapping round.
  // Returns false when none does.
  bool Move(bool backward);

 private:
  bool Window_KeyPressed(guint keyval, guint keycode, Gdk::ModifierType state);

  Gtk::Window& window_;
  std::vector<Gtk::Widget*> controls_;
};

}  // namespace filemanager
