#include "filemanager/cool_bar.h"

#include <algorithm>

namespace filemanager {

namespace {

// Rows of bands from top to bottom, each row as high as its tallest band.
std::vector<common::Placement> LayOut(float width, const std::vector<CoolBand>& bands) {
  std::vector<common::Placement> placements(bands.size());
  std::size_t row_start = 0;
  float top = 0;
  for (std::size_t i = 0; i <= bands.size(); ++i) {
    if (i < bands.size() && (i == row_start || !bands[i].NewRow)) continue;
    // Bands row_start..i-1 make one row.
    float left = 0, height = 0;
    for (std::size_t j = row_start; j < i; ++j) height = std::max(height, bands[j].MinHeight);
    for (std::size_t j = row_start; j < i; ++j) {
      const float band_width = j + 1 == i ? std::max(0.0f, width - left) : bands[j].Width;
      placements[j] = {left, top, band_width, height};
      left += band_width;
    }
    top += height;
    row_start = i;
  }
  return placements;
}

}  // namespace

CoolBar::CoolBar(float width, float height, const std::vector<CoolBand>& bands)
    : placements_(LayOut(width, bands)), area_(width, height) {
  area_.set_hexpand(true);
  area_.set_vexpand(true);
  append(area_);
  for (const common::Placement& placement : placements_) {
    auto band = std::make_unique<common::Control<Gtk::Frame>>();
    band->add_css_class("cool-band");
    area_.Add(*band, placement);
    bands_.push_back(std::move(band));
  }
}

void CoolBar::Add(common::Placed& child, const common::Placement& placement) {
  area_.Add(child, placement);
}

}  // namespace filemanager
