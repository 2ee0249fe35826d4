// Names a control for assistive technology, and for the tests that find controls the
// way a screen reader does.
#pragma once

#include <gtkmm/accessible.h>

namespace common {

inline void SetAccessibleName(Gtk::Accessible& control, const Glib::ustring& name) {
  Glib::Value<Glib::ustring> value;
  value.init(Glib::Value<Glib::ustring>::value_type());
  value.set(name);
  control.update_property(Gtk::Accessible::Property::LABEL, value);
  // A mnemonic label also names its widget; GTK would read both names one after the
  // other ("Cut Cut"), so the given name stands alone.
  control.reset_relation(Gtk::Accessible::Relation::LABELLED_BY);
}

}  // namespace common
