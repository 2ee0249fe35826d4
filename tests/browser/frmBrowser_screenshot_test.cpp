// The browser window at its design size under the compact style: every control lies
// inside its placement, shows its content whole (no clipped caption or text), and no
// two controls of a container overlap. A screenshot is saved beside the test.
#include <gtk/gtk.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/browser/window_fixture.h"

namespace {

using testing_support::BrowserWindowTest;
using testing_support::PumpFor;

struct Box {
  int x, y, width, height;
  bool Overlaps(const Box& other) const {
    return x < other.x + other.width && other.x < x + width && y < other.y + other.height &&
           other.y < y + height;
  }
};

// The widget's border box in the container's coordinates.
Box BoundsIn(Gtk::Widget& widget, Gtk::Widget& container) {
  graphene_rect_t rect;
  EXPECT_TRUE(gtk_widget_compute_bounds(widget.gobj(), container.gobj(), &rect));
  return {static_cast<int>(std::lround(rect.origin.x)),
          static_cast<int>(std::lround(rect.origin.y)),
          static_cast<int>(std::lround(rect.size.width)),
          static_cast<int>(std::lround(rect.size.height))};
}

// The placement in pixels, as the container applies it.
Box PlacementOf(const common::Placed& placed) {
  using common::TwipsToPixels;
  return {TwipsToPixels(placed.Left()), TwipsToPixels(placed.Top()), TwipsToPixels(placed.Width()),
          TwipsToPixels(placed.Height())};
}

// The widget needs no more room than it was given: its minimum size (border box,
// the margins being zero) fits its allocation.
::testing::AssertionResult ShowsWhole(Gtk::Widget& widget, const std::string& what) {
  const Gtk::Allocation given = widget.get_allocation();
  int min_width = 0, natural = 0, baseline = 0;
  widget.measure(Gtk::Orientation::HORIZONTAL, -1, min_width, natural, baseline, baseline);
  int min_height = 0;
  widget.measure(Gtk::Orientation::VERTICAL, given.get_width(), min_height, natural, baseline,
                 baseline);
  if (min_width <= given.get_width() && min_height <= given.get_height())
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << " needs " << min_width << "x" << min_height << " but has " << given.get_width()
         << "x" << given.get_height();
}

void SaveScreenshot(Gtk::Window& window, const std::string& path) {
  const int width = window.get_width(), height = window.get_height();
  GdkPaintable* paintable = gtk_widget_paintable_new(GTK_WIDGET(window.gobj()));
  GtkSnapshot* snapshot = gtk_snapshot_new();
  gdk_paintable_snapshot(paintable, GDK_SNAPSHOT(snapshot), width, height);
  GskRenderNode* node = gtk_snapshot_free_to_node(snapshot);
  ASSERT_NE(node, nullptr);
  GskRenderer* renderer = gtk_native_get_renderer(GTK_NATIVE(window.gobj()));
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(0, 0, static_cast<float>(width), static_cast<float>(height));
  GdkTexture* texture = gsk_renderer_render_texture(renderer, node, &bounds);
  EXPECT_TRUE(gdk_texture_save_to_png(texture, path.c_str()));
  g_object_unref(texture);
  gsk_render_node_unref(node);
  g_object_unref(paintable);
}

TEST_F(BrowserWindowTest, EveryControlFitsItsPlacementAtTheDesignSize) {
  LoadAndShow();
  PumpFor(std::chrono::milliseconds(100));
  Gtk::Widget& client = *form->brwWebBrowser.AsWidget().get_parent();
  ASSERT_EQ(client.get_width(), 489);
  ASSERT_EQ(client.get_height(), 470);

  struct Checked {
    common::Placed& control;
    Gtk::Widget& container;
    const char* name;
  };
  const std::vector<Checked> controls = {
      {form->tbToolBar, client, "tbToolBar"},
      {form->picAddress, client, "picAddress"},
      {form->brwWebBrowser, client, "brwWebBrowser"},
      {form->cboAddress, form->picAddress, "cboAddress"},
      {form->Image1, form->picAddress, "Image1"},
      {form->lblAddress, form->picAddress, "lblAddress"},
  };
  for (const Checked& checked : controls) {
    Gtk::Widget& widget = checked.control.AsWidget();
    const Box bounds = BoundsIn(widget, checked.container);
    const Box placement = PlacementOf(checked.control);
    EXPECT_EQ(bounds.x, placement.x) << checked.name;
    EXPECT_EQ(bounds.y, placement.y) << checked.name;
    EXPECT_EQ(bounds.width, placement.width) << checked.name;
    EXPECT_EQ(bounds.height, placement.height) << checked.name;
    EXPECT_LE(bounds.x + bounds.width, checked.container.get_allocation().get_width())
        << checked.name;
    EXPECT_LE(bounds.y + bounds.height, checked.container.get_allocation().get_height())
        << checked.name;
    EXPECT_TRUE(ShowsWhole(widget, checked.name));
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (&controls[i].container != &controls[j].container) continue;
      // The address box, widened to the window, reaches under the emblem by design.
      if (&controls[i].control == &form->cboAddress && &controls[j].control == &form->Image1)
        continue;
      const Box first = BoundsIn(controls[i].control.AsWidget(), controls[i].container);
      const Box second = BoundsIn(controls[j].control.AsWidget(), controls[j].container);
      EXPECT_FALSE(first.Overlaps(second)) << controls[i].name << " overlaps " << controls[j].name;
    }
  }

  // The emblem lies beneath the address box: GTK draws later children on top.
  int position = 0, image_position = -1, box_position = -1;
  for (Gtk::Widget* child = form->picAddress.get_first_child(); child;
       child = child->get_next_sibling(), ++position) {
    if (child == &form->Image1) image_position = position;
    if (child == &form->cboAddress) box_position = position;
  }
  EXPECT_LT(image_position, box_position);

  // The toolbar's buttons: side by side inside the toolbar, picture above a caption
  // that shows whole.
  std::vector<Box> buttons;
  for (const char* key : {"Back", "Forward", "Stop", "Refresh", "Home", "Search"}) {
    Gtk::Button& button = form->tbToolBar.Buttons(key);
    const Box bounds = BoundsIn(button, form->tbToolBar);
    EXPECT_EQ(bounds.width, 45) << key;
    EXPECT_EQ(bounds.height, 44) << key;
    EXPECT_LE(bounds.y + bounds.height, form->tbToolBar.get_allocation().get_height()) << key;
    EXPECT_TRUE(ShowsWhole(button, key));
    Gtk::Widget& face = *button.get_child();
    Gtk::Widget& picture = *face.get_first_child();
    Gtk::Widget& caption = *picture.get_next_sibling();
    EXPECT_TRUE(ShowsWhole(caption, std::string(key) + " caption"));
    const Box picture_bounds = BoundsIn(picture, button);
    const Box caption_bounds = BoundsIn(caption, button);
    EXPECT_LE(picture_bounds.y + picture_bounds.height, caption_bounds.y) << key;
    EXPECT_LE(caption_bounds.y + caption_bounds.height, bounds.height) << key;
    for (const Box& other : buttons) EXPECT_FALSE(bounds.Overlaps(other)) << key;
    buttons.push_back(bounds);
  }
  // The menu bar's commands show their captions whole too.
  for (Gtk::Widget* command : {&form->File, &form->Edit, &form->View, &form->Help})
    EXPECT_TRUE(ShowsWhole(*command, "menu command"));

  SaveScreenshot(*form, BROWSER_SCREENSHOT_DIR "/frmBrowser.png");
}

}  // namespace
