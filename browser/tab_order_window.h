// A window whose Tab and Shift+Tab go round its controls in their tab order, however
// the focus came to move: by GTK's own Tab key, or by a web page that hands the focus
// back to its window once Tab has passed its last link (or Shift+Tab its first).
// Without this, GTK would clear the focus when the page hands it back, and no key
// would reach any control until a click.
#pragma once

#include <glibmm/extraclassinit.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/window.h>

#include <vector>

namespace browser {

// A class derived from it names its own GType first: Glib::ObjectBase("ItsName").
class TabOrderWindow : public Glib::ExtraClassInit, public Gtk::Window {
 public:
  struct TabStop {
    Gtk::Widget* control;
    // The part of control that takes the focus as its one stop (a web page itself,
    // whose inner widgets no key reaches; a combo box's text). Without it, the
    // control's parts (a toolbar's buttons) take the focus one by one.
    Gtk::Widget* stop = nullptr;
  };

  // The controls, in tab order; they must live as long as the window.
  void TabOrder(std::vector<TabStop> controls);

 protected:
  TabOrderWindow();

 private:
  // Moves the focus to the next (or previous) control that takes it, wrapping round.
  // Returns false when none does.
  bool MoveFocus(bool backward);
  static void ClassInit(void* g_class, void* class_data);
  static gboolean Focus(GtkWidget* widget, GtkDirectionType direction);
  bool Window_KeyPressed(guint keyval, guint keycode, Gdk::ModifierType state);

  std::vector<TabStop> controls_;
  Glib::RefPtr<Gtk::EventControllerKey> tab_keys_;
  // The time of the latest Tab press, and of the press that last moved the focus.
  guint32 tab_press_ = 0;
  guint32 moved_for_press_ = 0;
};

}  // namespace browser
