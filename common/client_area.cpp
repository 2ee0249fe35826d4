#include "common/client_area.h"

#include <algorithm>

#include "common/dispatch.h"

namespace common {

Placed::~Placed() {
  if (parent_) parent_->Remove(*this);
}

void Placed::Left(float twips) {
  placement_.Left = twips;
  Changed();
}

void Placed::Top(float twips) {
  placement_.Top = twips;
  Changed();
}

void Placed::Width(float twips) {
  placement_.Width = std::max(0.0f, twips);
  Changed();
}

void Placed::Height(float twips) {
  placement_.Height = std::max(0.0f, twips);
  Changed();
}

void Placed::Place(const Placement& placement) {
  placement_ = placement;
  placement_.Width = std::max(0.0f, placement.Width);
  placement_.Height = std::max(0.0f, placement.Height);
  Changed();
}

void Placed::Changed() {
  if (parent_) parent_->ChildChanged();
}

ClientArea::ClientArea(float design_width, float design_height)
    : design_width_(design_width),
      design_height_(design_height),
      scale_width_(design_width),
      scale_height_(design_height) {
  set_overflow(Gtk::Overflow::HIDDEN);
  // Published as a group of the controls it holds rather than as an unnamed widget.
  property_accessible_role() = Gtk::Accessible::Role::GROUP;
}

ClientArea::~ClientArea() {
  for (Placed* child : children_) {
    child->parent_ = nullptr;
    child->widget_->unparent();
  }
}

void ClientArea::Add(Placed& child, const Placement& placement) {
  child.placement_ = placement;
  child.parent_ = this;
  child.widget_ = &child.AsWidget();
  children_.push_back(&child);
  child.widget_->set_parent(*this);
}

void ClientArea::Remove(Placed& child) {
  std::erase(children_, &child);
  child.parent_ = nullptr;
  child.widget_->unparent();
  if (!allocating_) queue_allocate();
}

void ClientArea::AddDockedTop(Placed& child, const Placement& placement) {
  Add(child, placement);
  child.spans_width_ = true;
}

void ClientArea::ChildChanged() {
  // A Resize handler runs while the children are being placed; they are placed
  // right after it, so asking for another pass would only repeat the work.
  if (!allocating_) queue_allocate();
}

Gtk::SizeRequestMode ClientArea::get_request_mode_vfunc() const {
  return Gtk::SizeRequestMode::CONSTANT_SIZE;
}

void ClientArea::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural,
                               int& minimum_baseline, int& natural_baseline) const {
  minimum = 0;
  natural =
      TwipsToPixels(orientation == Gtk::Orientation::HORIZONTAL ? design_width_ : design_height_);
  minimum_baseline = natural_baseline = -1;
}

void ClientArea::size_allocate_vfunc(int width, int height, int) {
  allocating_ = true;
  const float scale_width = PixelsToTwips(width);
  const float scale_height = PixelsToTwips(height);
  if (!allocated_ || scale_width != scale_width_ || scale_height != scale_height_) {
    allocated_ = true;
    scale_width_ = scale_width;
    scale_height_ = scale_height;
    for (Placed* child : children_)
      if (child->spans_width_) child->placement_.Width = scale_width;
    Dispatch([this] { resize_.emit(); });
  }
  for (Placed* child : children_) PlaceChild(*child, width);
  allocating_ = false;
}

void ClientArea::PlaceChild(Placed& child, int width) {
  Gtk::Widget& widget = *child.widget_;
  if (!widget.get_visible()) return;
  const Placement& p = child.placement_;
  Gtk::Allocation allocation(TwipsToPixels(p.Left), TwipsToPixels(p.Top),
                             child.spans_width_ ? width : TwipsToPixels(p.Width),
                             TwipsToPixels(p.Height));
  // GTK wants every widget measured before it is allocated; the placement decides
  // the size, whatever the widget would like.
  int minimum = 0, natural = 0, minimum_baseline = 0, natural_baseline = 0;
  widget.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, minimum_baseline,
                 natural_baseline);
  widget.measure(Gtk::Orientation::VERTICAL, allocation.get_width(), minimum, natural,
                 minimum_baseline, natural_baseline);
  widget.size_allocate(allocation, -1);
}

}  // namespace common
