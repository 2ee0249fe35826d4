// A line control: a horizontal line of one colour, as thick as its placement is high.
#pragma once

#include <gtkmm/drawingarea.h>

#include "common/client_area.h"

namespace browser {

class LineControl : public common::Control<Gtk::DrawingArea> {
 public:
  // red, green and blue from 0 to 255.
  LineControl(int red, int green, int blue);
  // The placement of a line from (x1, y) to (x2, y) that is width pixels thick.
  static common::Placement Horizontal(float x1, float x2, float y, int width);
};

}  // namespace browser
