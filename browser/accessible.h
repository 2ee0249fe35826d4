// Names controls for assistive technology and for tests that look controls up.
#pragma once

#include <gtkmm/accessible.h>

#include <string>

namespace browser {

inline void SetAccessibleName(Gtk::Accessible& control, const std::string& name) {
  Glib::Value<Glib::ustring> value;
  value.init(Glib::Value<Glib::ustring>::value_type());
  value.set(name);
  control.update_property(Gtk::Accessible::Property::LABEL, value);
}

}  // namespace browser
