// A line control drawn as a filled strip (see line_control.h).
#include "browser/about/line_control.h"

namespace browser {

namespace {

void Paint(const Cairo::RefPtr<Cairo::Context>& cairo, int, int, double red, double green,
           double blue) {
  cairo->set_source_rgb(red, green, blue);
  cairo->paint();
}

}  // namespace

LineControl::LineControl(int red, int green, int blue) {
  // A line only draws; assistive technology passes over it.
  property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
  set_draw_func(sigc::bind(sigc::ptr_fun(&Paint), red / 255.0, green / 255.0, blue / 255.0));
}

common::Placement LineControl::Horizontal(float x1, float x2, float y, int width) {
  return {x1, y, x2 - x1, common::PixelsToTwips(width)};
}

}  // namespace browser
