// Naming a widget for assistive technology, as every control and list row is named.
#pragma once

#include <gtkmm/accessible.h>

namespace filemanager {

inline void SetAccessibleLabel(Gtk::Accessible& accessible, const Glib::ustring& label) {
  Glib::Value<Glib::ustring> value;
  value.init(Glib::Value<Glib::ustring>::value_type());
  value.set(label);
  accessible.update_property(Gtk::Accessible::Property::LABEL, value);
}

}  // namespace filemanager
