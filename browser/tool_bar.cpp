#include "browser/tool_bar.h"

#include <gtkmm/binlayout.h>

#include "common/accessible.h"
#include "common/errors.h"

namespace browser {

namespace {

// Twips: a button is 45 x 44 pixels, its arrow a narrow strip beside it, the row
// centred in the toolbar's height with a small margin at the left.
constexpr float kHeight = 750;
constexpr float kButtonWidth = 675;
constexpr float kButtonHeight = 660;
constexpr float kArrowWidth = 180;
constexpr float kMargin = 30;
constexpr int kPictureSize = 24;

}  // namespace

ToolBar::ToolBar(const ImageList& images)
    : images_(images), next_left_(kMargin), area_(7335, kHeight) {
  set_layout_manager(Gtk::BinLayout::create());
  add_css_class("korvo-toolbar");
  area_.set_parent(*this);
}

ToolBar::~ToolBar() { area_.unparent(); }

void ToolBar::AddButton(const ButtonSpec& spec) {
  Item& item = items_.emplace_back();
  item.key = spec.Key;
  item.picture.set(images_.ListImages(spec.Image));
  item.picture.set_pixel_size(kPictureSize);
  item.caption.set_text(spec.Caption);
  item.face.append(item.picture);
  item.face.append(item.caption);
  item.button.set_child(item.face);
  item.button.set_has_frame(false);
  item.button.add_css_class("toolbar-button");
  item.button.set_tooltip_text(spec.ToolTipText);
  item.button.set_focus_on_click(false);
  common::SetAccessibleName(item.button, spec.Caption);
  item.button.signal_clicked().connect(
      sigc::bind(sigc::mem_fun(*this, &ToolBar::button_clicked), spec.Key));
  const float top = (kHeight - kButtonHeight) / 2;
  area_.Add(item.button, {next_left_, top, kButtonWidth, kButtonHeight});
  next_left_ += kButtonWidth;

  if (spec.Style == ButtonStyle::DropDown) {
    // The arrow offers a list of entries; none are stored, so it does nothing.
    auto& arrow = item.arrow.emplace();
    arrow.set_icon_name("pan-down-symbolic");
    arrow.set_has_frame(false);
    arrow.add_css_class("toolbar-arrow");
    arrow.set_focus_on_click(false);
    arrow.set_tooltip_text(spec.ToolTipText);
    common::SetAccessibleName(arrow, spec.Caption + " drop-down");
    area_.Add(arrow, {next_left_, top, kArrowWidth, kButtonHeight});
    next_left_ += kArrowWidth;
  }
}

void ToolBar::Refresh() {
  for (Item& item : items_) item.button.queue_draw();
  queue_draw();
}

Gtk::Button& ToolBar::Buttons(const std::string& key) {
  for (Item& item : items_)
    if (item.key == key) return item.button;
  throw common::Error("Invalid key");
}

void ToolBar::button_clicked(const std::string& key) { button_click_.emit(key); }

}  // namespace browser
