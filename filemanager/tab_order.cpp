#include "filemanager/tab_order.h"

#include <gdk/gdkkeysyms.h>

namespace filemanager {

TabOrder::TabOrder(Gtk::Window& window, std::vector<Gtk::Widget*> controls)
    : window_(window), controls_(std::move(controls)) {
  auto keys = Gtk::EventControllerKey::create();
  // Ahead of the focused control and of GTK's own focus movement.
  keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  keys->signal_key_pressed().connect(sigc::mem_fun(*this, &TabOrder::Window_KeyPressed), false);
  window_.add_controller(keys);
}

bool TabOrder::Window_KeyPressed(guint keyval, guint, Gdk::ModifierType state) {
  const auto others = Gdk::ModifierType::CONTROL_MASK | Gdk::ModifierType::ALT_MASK;
  if ((state & others) != Gdk::ModifierType{}) return false;
  if (keyval == GDK_KEY_ISO_Left_Tab) return Move(true);
  if (keyval == GDK_KEY_Tab || keyval == GDK_KEY_KP_Tab)
    return Move((state & Gdk::ModifierType::SHIFT_MASK) != Gdk::ModifierType{});
  return false;
}

bool TabOrder::Move(bool backward) {
  const int count = static_cast<int>(controls_.size());
  if (count == 0) return false;
  // The control holding the focus, itself or through one of its parts.
  int current = backward ? 0 : -1;
  if (Gtk::Widget* focus = window_.get_focus()) {
    for (int i = 0; i < count; ++i)
      if (focus == controls_[i] || focus->is_ancestor(*controls_[i])) current = i;
  }
  const auto direction =
      backward ? Gtk::DirectionType::TAB_BACKWARD : Gtk::DirectionType::TAB_FORWARD;
  for (int step = 1; step <= count; ++step) {
    const int next = ((current + (backward ? -step : step)) % count + count) % count;
    Gtk::Widget& control = *controls_[next];
    if (control.is_drawable() && control.is_sensitive() && control.child_focus(direction))
      return true;
  }
  return false;
}

}  // namespace filemanager
