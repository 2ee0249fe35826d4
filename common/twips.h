// Lengths in twips, the unit of every design placement: 1440 to the inch, so 15 to a
// logical pixel at 96 pixels per inch.
#pragma once

#include <cmath>

namespace common {

inline constexpr float kTwipsPerPixel = 15.0f;

// Rounded to the nearest pixel when a size is applied to a widget.
inline int TwipsToPixels(float twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline float PixelsToTwips(int pixels) { return static_cast<float>(pixels) * kTwipsPerPixel; }

// Left, Top, Width and Height in twips, relative to the parent's client area.
struct Placement {
  float Left = 0;
  float Top = 0;
  float Width = 0;
  float Height = 0;
};

}  // namespace common
