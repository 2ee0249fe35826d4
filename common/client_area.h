// A container that places its children at design placements given in twips, the
// way a form or a picture box does. It raises Resize whenever its own size changes,
// before the children are placed, so a Resize handler's sizes apply at once.
#pragma once

#include <gtkmm/widget.h>

#include <vector>

#include "common/twips.h"

namespace common {

class ClientArea;

// A control's placement in its container. A size below zero is taken as zero, since
// a widget cannot take a negative size. A control leaves its container when it is
// destroyed, so either may go first.
class Placed {
 public:
  Placed() = default;
  Placed(const Placed&) = delete;
  Placed& operator=(const Placed&) = delete;
  virtual ~Placed();

  float Left() const { return placement_.Left; }
  float Top() const { return placement_.Top; }
  float Width() const { return placement_.Width; }
  float Height() const { return placement_.Height; }
  void Left(float twips);
  void Top(float twips);
  void Width(float twips);
  void Height(float twips);
  void Place(const Placement& placement);

  virtual Gtk::Widget& AsWidget() = 0;

 private:
  friend class ClientArea;
  void Changed();

  Placement placement_;
  ClientArea* parent_ = nullptr;
  // Taken when the control is added, while it is whole: a control being destroyed can
  // no longer say which widget it is.
  Gtk::Widget* widget_ = nullptr;
  bool spans_width_ = false;
};

// A widget of type W that carries its own placement.
template <class W>
class Control : public W, public Placed {
 public:
  using W::W;
  Gtk::Widget& AsWidget() override { return *this; }
};

class ClientArea : public Gtk::Widget {
 public:
  // The design size is the natural size; the area may be made smaller or larger.
  ClientArea(float design_width, float design_height);
  ~ClientArea() override;

  // Adds child at its placement. A child docked to the top spans the area's width
  // whatever its own Width says.
  void Add(Placed& child, const Placement& placement);
  void AddDockedTop(Placed& child, const Placement& placement);

  // The client size in twips, as last allocated (the design size before that).
  float ScaleWidth() const { return scale_width_; }
  float ScaleHeight() const { return scale_height_; }

  sigc::signal<void()>& signal_resize() { return resize_; }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int for_size, int& minimum, int& natural,
                     int& minimum_baseline, int& natural_baseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  friend class Placed;
  void ChildChanged();
  void Remove(Placed& child);
  void PlaceChild(Placed& child, int width);

  float design_width_;
  float design_height_;
  float scale_width_;
  float scale_height_;
  bool allocated_ = false;
  bool allocating_ = false;
  std::vector<Placed*> children_;
  sigc::signal<void()> resize_;
};

}  // namespace common
