// A cool bar: bands laid out in rows, each band as wide as it asks except the last of
// a row, which takes what is left; controls of the bar itself are placed over the
// bands at their own placements.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/frame.h>

#include <memory>
#include <vector>

#include "common/client_area.h"

namespace filemanager {

struct CoolBand {
  float MinHeight = 0;  // twips
  float Width = 0;      // twips
  bool NewRow = false;  // the first band always starts the first row
};

class CoolBar : public common::Control<Gtk::Box> {
 public:
  // width and height are the bar's design size in twips.
  CoolBar(float width, float height, const std::vector<CoolBand>& bands);

  // Places a control of the bar itself, above the bands.
  void Add(common::Placed& child, const common::Placement& placement);

  // Where each band was laid out, in twips relative to the bar.
  const std::vector<common::Placement>& BandPlacements() const { return placements_; }

 private:
  std::vector<std::unique_ptr<common::Control<Gtk::Frame>>> bands_;
  std::vector<common::Placement> placements_;
  // Declared after the bands: it goes first and lets go of its children.
  common::ClientArea area_;
};

}  // namespace filemanager
