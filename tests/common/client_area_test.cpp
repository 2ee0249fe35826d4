#include "common/client_area.h"

#include <gtest/gtest.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <memory>

#include "support/ui.h"

namespace {

using common::Control;
using testing_support::PumpUntil;

struct Form : Gtk::Window {
  common::ClientArea client{3000, 1500};
  Control<Gtk::Label> strip{"strip"};
  Control<Gtk::Label> body{"body"};
  int resizes = 0;

  Form() {
    client.AddDockedTop(strip, {0, 0, 3000, 300});
    client.Add(body, {150, 450, 1500, 600});
    client.signal_resize().connect([this] {
      ++resizes;
      body.Width(client.ScaleWidth() - 1000);
    });
    set_child(client);
  }
};

TEST(ClientArea, PlacesChildrenInPixelsAndRaisesResizeBeforePlacingThem) {
  Form form;
  form.present();
  ASSERT_TRUE(PumpUntil([&] { return form.body.get_width() > 0; }));

  EXPECT_EQ(form.client.get_width(), 200);
  EXPECT_FLOAT_EQ(form.client.ScaleWidth(), 3000);
  EXPECT_EQ(form.body.get_width(), 2000 / 15 + 0);  // 2000 twips, rounded
  EXPECT_EQ(form.body.get_height(), 40);
  double x = 0, y = 0;
  ASSERT_TRUE(form.body.translate_coordinates(form.client, 0, 0, x, y));
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 30);
  EXPECT_GE(form.resizes, 1);
}

TEST(ClientArea, ADockedChildFollowsTheWidthAndSizesNeverGoNegative) {
  Form form;
  form.set_default_size(400, 100);
  form.present();
  ASSERT_TRUE(PumpUntil([&] { return form.client.get_width() == 400; }));
  PumpUntil([&] { return form.strip.get_width() == 400; });
  EXPECT_EQ(form.strip.get_width(), 400);
  EXPECT_FLOAT_EQ(form.strip.Width(), 6000);

  form.body.Width(-50);
  EXPECT_FLOAT_EQ(form.body.Width(), 0);
  form.body.Height(-1);
  EXPECT_FLOAT_EQ(form.body.Height(), 0);
}

// Children declared before their container outlive it: the container lets go of
// them when it goes, and they go later without a container.
struct ChildrenFirst : Gtk::Window {
  Control<Gtk::Label> label{"label"};
  common::ClientArea client{3000, 1500};

  ChildrenFirst() {
    client.Add(label, {0, 0, 1500, 300});
    set_child(client);
  }
};

TEST(ClientArea, ContainerAndChildrenMayGoInEitherOrder) {
  {
    Form form;
    form.present();
    ASSERT_TRUE(PumpUntil([&] { return form.body.get_width() > 0; }));
  }
  {
    ChildrenFirst form;
    form.present();
    ASSERT_TRUE(PumpUntil([&] { return form.label.get_width() > 0; }));
  }
  {
    // A child destroyed while its container lives leaves it at once.
    common::ClientArea client{3000, 1500};
    auto label = std::make_unique<Control<Gtk::Label>>("gone");
    client.Add(*label, {0, 0, 1500, 300});
    label.reset();
    EXPECT_EQ(client.get_first_child(), nullptr);
  }
}

}  // namespace
