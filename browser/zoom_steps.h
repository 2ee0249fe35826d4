// The zoom levels a page steps through, as common browsers offer them. Pure logic.
#pragma once

#include <algorithm>
#include <array>

namespace browser {

inline constexpr std::array<double, 13> kZoomSteps = {0.3,  0.5, 0.67, 0.8, 0.9, 1.0, 1.1,
                                                      1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

// The step after current towards larger (direction > 0) or smaller (< 0) pages, or
// 1.0 for direction 0. A level between steps goes to the next step in that direction;
// at either end the level stays.
inline double NextZoom(double current, int direction) {
  constexpr double kSlack = 0.001;
  if (direction == 0) return 1.0;
  if (direction > 0) {
    auto next = std::find_if(kZoomSteps.begin(), kZoomSteps.end(),
                             [current](double step) { return step > current + kSlack; });
    return next == kZoomSteps.end() ? kZoomSteps.back() : *next;
  }
  auto next = std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(),
                           [current](double step) { return step < current - kSlack; });
  return next == kZoomSteps.rend() ? kZoomSteps.front() : *next;
}

}  // namespace browser
