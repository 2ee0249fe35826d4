// Tab order of a window (see tab_order_window.h).
#include "browser/tab_order_window.h"

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include <utility>

namespace browser {

namespace {

GtkWidgetClass* parent_class = nullptr;

bool Contains(Gtk::Widget& control, Gtk::Widget* widget) {
  return widget && (widget == &control || widget->is_ancestor(control));
}

// GTK keeps the way to the part that last had the focus, and would go on from there
// rather than from the first (or last) part.
void ForgetFocusedPart(Gtk::Widget& control) {
  for (GtkWidget* widget = control.gobj(); widget;) {
    GtkWidget* part = gtk_widget_get_focus_child(widget);
    gtk_widget_set_focus_child(widget, nullptr);
    widget = part;
  }
}

bool Enter(const TabOrderWindow::TabStop& stop, Gtk::DirectionType direction) {
  Gtk::Widget& control = *stop.control;
  if (stop.stop) return control.is_drawable() && control.is_sensitive() && stop.stop->grab_focus();
  ForgetFocusedPart(control);
  return control.child_focus(direction);
}

}  // namespace

TabOrderWindow::TabOrderWindow() : Glib::ExtraClassInit(&TabOrderWindow::ClassInit) {
  tab_keys_ = Gtk::EventControllerKey::create();
  tab_keys_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  tab_keys_->signal_key_pressed().connect(sigc::mem_fun(*this, &TabOrderWindow::Window_KeyPressed),
                                          false);
  add_controller(tab_keys_);
}

bool TabOrderWindow::Window_KeyPressed(guint keyval, guint, Gdk::ModifierType) {
  if (keyval == GDK_KEY_Tab || keyval == GDK_KEY_KP_Tab || keyval == GDK_KEY_ISO_Left_Tab)
    tab_press_ = tab_keys_->get_current_event_time();
  return false;
}

void TabOrderWindow::ClassInit(void* g_class, void*) {
  parent_class = GTK_WIDGET_CLASS(g_type_class_peek_parent(g_class));
  GTK_WIDGET_CLASS(g_class)->focus = &TabOrderWindow::Focus;
}

// The window's focus method: what GTK's Tab key and a web page giving the focus back
// (gtk_widget_child_focus on the window) both run. Arrow keys keep GTK's own way.
gboolean TabOrderWindow::Focus(GtkWidget* widget, GtkDirectionType direction) {
  auto* window =
      dynamic_cast<TabOrderWindow*>(Glib::ObjectBase::_get_current_wrapper(G_OBJECT(widget)));
  if (window && !window->controls_.empty() &&
      (direction == GTK_DIR_TAB_FORWARD || direction == GTK_DIR_TAB_BACKWARD))
    return window->MoveFocus(direction == GTK_DIR_TAB_BACKWARD);
  return parent_class->focus(widget, direction);
}

void TabOrderWindow::TabOrder(std::vector<TabStop> controls) { controls_ = std::move(controls); }

bool TabOrderWindow::MoveFocus(bool backward) {
  // A page that hands the focus back at its end also passes the Tab on to the window
  // as unused: one press moves the focus once.
  if (tab_press_ != 0 && tab_press_ == moved_for_press_) return true;
  moved_for_press_ = tab_press_;
  const auto direction =
      backward ? Gtk::DirectionType::TAB_BACKWARD : Gtk::DirectionType::TAB_FORWARD;
  const int count = static_cast<int>(controls_.size());
  int current = -1;
  for (int i = 0; i < count; ++i)
    if (Contains(*controls_[i].control, get_focus())) current = i;
  // The control with the focus moves it among its own parts first.
  if (current >= 0 && !controls_[current].stop &&
      controls_[current].control->child_focus(direction))
    return true;
  for (int step = 1; step <= count; ++step) {
    const int from = current >= 0 ? current : (backward ? count : -1);
    const int next = ((from + (backward ? -step : step)) % count + count) % count;
    if (Enter(controls_[next], direction)) return true;
  }
  return false;
}

}  // namespace browser
