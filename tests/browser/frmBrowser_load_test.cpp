// frmBrowser at start-up: what Load does with and without a starting address, the
// layout it gives the address box and the page, and how the layout follows the window.
#include <gtk/gtk.h>
#include <gtkmm/label.h>

#include "tests/browser/window_fixture.h"

namespace {

using testing::ElementsAre;
using testing_support::BrowserWindowTest;
using testing_support::PumpFor;
using testing_support::PumpUntil;

TEST_F(BrowserWindowTest, LoadWithoutStartingAddressShowsTheWindowAndOpensNothing) {
  form->Load();
  EXPECT_TRUE(form->get_visible());
  EXPECT_FALSE(form->get_modal());
  EXPECT_EQ(form->get_transient_for(), nullptr);
  EXPECT_EQ(Title(), "- Korvo");
  EXPECT_EQ(form->cboAddress.Text(), "");
  EXPECT_EQ(form->cboAddress.ListCount(), 0);
  EXPECT_FALSE(form->timTimer.Enabled());
  PumpFor(std::chrono::milliseconds(50));
  EXPECT_TRUE(web->calls.empty());
  EXPECT_EQ(Title(), "- Korvo");
}

TEST_F(BrowserWindowTest, LoadWithStartingAddressOpensItUnchanged) {
  form->StartingAddress = " Example.org/Start ";
  form->Load();
  EXPECT_EQ(form->cboAddress.Text(), " Example.org/Start ");
  EXPECT_THAT(Entries(), ElementsAre(" Example.org/Start "));
  EXPECT_TRUE(form->timTimer.Enabled());
  EXPECT_THAT(web->calls, ElementsAre("Navigate( Example.org/Start )"));
}

TEST_F(BrowserWindowTest, LoadGoesOnWhenNavigateFailsAndThePollStopsItself) {
  form->StartingAddress = "javascript:alert(1)";
  web->failing = {"Navigate"};
  web->name = "nothing";
  form->Load();
  EXPECT_EQ(form->cboAddress.Text(), "javascript:alert(1)");
  EXPECT_EQ(form->cboAddress.ListCount(), 1);
  EXPECT_TRUE(form->timTimer.Enabled());
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
  EXPECT_EQ(Title(), "nothing");
}

TEST_F(BrowserWindowTest, LoadingASecondTimeDoesNothing) {
  form->StartingAddress = "a";
  form->Load();
  form->Load();
  EXPECT_EQ(web->calls.size(), 1u);
  EXPECT_EQ(form->cboAddress.ListCount(), 1);
}

TEST_F(BrowserWindowTest, LoadPlacesTheAddressBoxAndSizesItAndThePageToTheDesignSize) {
  form->Load();
  EXPECT_FLOAT_EQ(form->cboAddress.Left(), 50);
  EXPECT_FLOAT_EQ(form->cboAddress.Top(), 330);
  EXPECT_FLOAT_EQ(form->cboAddress.Width(), 7235);
  EXPECT_FLOAT_EQ(form->cboAddress.Height(), 315);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Left(), 45);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Top(), 1455);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Width(), 7235);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Height(), 5525);

  // Shown at its natural size, the window keeps the design size, and the widgets
  // take the sizes in pixels.
  ASSERT_TRUE(PumpUntil([this] { return form->brwWebBrowser.AsWidget().get_width() > 0; }));
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Height(), 5525);
  EXPECT_EQ(form->brwWebBrowser.AsWidget().get_width(), 482);
  EXPECT_EQ(form->brwWebBrowser.AsWidget().get_height(), 368);
  EXPECT_EQ(form->cboAddress.get_width(), 482);
  double x = 0, y = 0;
  ASSERT_TRUE(form->cboAddress.translate_coordinates(form->picAddress, 0, 0, x, y));
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 22);
}

TEST_F(BrowserWindowTest, ResizeKeepsTheMarginsAndTheStripsSpanTheWidth) {
  LoadAndShow();
  form->set_default_size(700, 560);
  ASSERT_TRUE(PumpUntil([this] { return form->tbToolBar.get_width() == 700; }));
  PumpFor(std::chrono::milliseconds(50));
  // The client area is the page's parent; its size in twips is ScaleWidth x ScaleHeight.
  const Gtk::Widget& client = *form->brwWebBrowser.AsWidget().get_parent();
  const float scale_width = client.get_width() * 15.0f;
  const float scale_height = client.get_height() * 15.0f;
  EXPECT_EQ(client.get_width(), 700);
  EXPECT_EQ(form->picAddress.get_width(), 700);
  EXPECT_FLOAT_EQ(form->cboAddress.Width(), scale_width - 100);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Width(), scale_width - 100);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Height(), scale_height - (750 + 675) - 100);
  EXPECT_FLOAT_EQ(form->cboAddress.Left(), 50);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Left(), 45);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Top(), 1455);
}

TEST_F(BrowserWindowTest, ATinyWindowGivesZeroSizesNotNegativeOnes) {
  LoadAndShow();
  form->set_default_size(1, 1);
  ASSERT_TRUE(PumpUntil([this] { return form->brwWebBrowser.Height() == 0; }));
  PumpFor(std::chrono::milliseconds(50));
  // Narrower than the 100-twip margin and lower than the strips and the margin.
  const Gtk::Widget& client = *form->brwWebBrowser.AsWidget().get_parent();
  ASSERT_LT(client.get_width() * 15, 100);
  ASSERT_LT(client.get_height() * 15, 750 + 675 + 100);
  EXPECT_FLOAT_EQ(form->cboAddress.Width(), 0);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Width(), 0);
  EXPECT_FLOAT_EQ(form->brwWebBrowser.Height(), 0);
  EXPECT_EQ(form->brwWebBrowser.AsWidget().get_width(), 0);
  EXPECT_EQ(form->brwWebBrowser.AsWidget().get_height(), 0);

  // Back at a usable size, the formulas apply again.
  form->set_default_size(600, 500);
  ASSERT_TRUE(PumpUntil([this] { return form->cboAddress.Width() > 0; }));
  EXPECT_FLOAT_EQ(form->cboAddress.Width(), client.get_width() * 15.0f - 100);
}

TEST_F(BrowserWindowTest, MenusOtherThanInfoDoNothingAndInfoDoesNothingYet) {
  LoadAndShow();
  for (Gtk::Button* command : {&form->File, &form->Edit, &form->View, &form->Help}) Click(*command);
  PumpFor(std::chrono::milliseconds(30));
  EXPECT_EQ(Title(), "- Korvo");
  EXPECT_TRUE(web->calls.empty());
  EXPECT_FALSE(form->timTimer.Enabled());
  EXPECT_EQ(form->File.Index(), 1);
  EXPECT_EQ(form->Help.Index(), 4);
}

// Every label with an access key under widget, as its key values.
void CollectAccessKeys(Gtk::Widget& widget, std::vector<guint>& keys) {
  if (auto* label = dynamic_cast<Gtk::Label*>(&widget)) {
    const guint key = label->get_mnemonic_keyval();
    if (key != GDK_KEY_VoidSymbol) keys.push_back(gdk_keyval_to_lower(key));
  }
  for (Gtk::Widget* child = widget.get_first_child(); child; child = child->get_next_sibling())
    CollectAccessKeys(*child, keys);
}

TEST_F(BrowserWindowTest, AccessKeysAreTheDesignsAndUnique) {
  std::vector<guint> keys;
  CollectAccessKeys(*form, keys);
  EXPECT_THAT(keys,
              testing::UnorderedElementsAre(GDK_KEY_a, GDK_KEY_f, GDK_KEY_e, GDK_KEY_v, GDK_KEY_i));
  EXPECT_EQ(form->lblAddress.get_mnemonic_widget(), &form->cboAddress.FocusTarget());
}

TEST_F(BrowserWindowTest, ThePageHasTheFocusWhenTheWindowOpens) {
  LoadAndShow();
  EXPECT_EQ(form->get_focus(), &form->brwWebBrowser.AsWidget());
}

// The name assistive technology reads for widget, checked through GTK's test hook.
::testing::AssertionResult HasAccessibleName(Gtk::Widget& widget, const char* name) {
  char* error = gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget.gobj()),
                                                   GTK_ACCESSIBLE_PROPERTY_LABEL, name);
  if (!error) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure() << error;
  g_free(error);
  return failure;
}

TEST_F(BrowserWindowTest, ControlsCarryTheirAccessibleNames) {
  EXPECT_TRUE(HasAccessibleName(form->cboAddress, "Address"));
  EXPECT_TRUE(HasAccessibleName(form->cboAddress.FocusTarget(), "Address"));
  EXPECT_TRUE(HasAccessibleName(form->brwWebBrowser.AsWidget(), "Page"));
  EXPECT_TRUE(HasAccessibleName(form->File, "File"));
  EXPECT_TRUE(HasAccessibleName(form->Edit, "Edit"));
  EXPECT_TRUE(HasAccessibleName(form->View, "View"));
  EXPECT_TRUE(HasAccessibleName(form->Help, "Info"));
  EXPECT_TRUE(HasAccessibleName(form->lblAddress, "Address:"));
  for (const char* key : {"Back", "Forward", "Stop", "Home", "Search"})
    EXPECT_TRUE(HasAccessibleName(form->tbToolBar.Buttons(key), key)) << key;
  EXPECT_TRUE(HasAccessibleName(form->tbToolBar.Buttons("Refresh"), "Reload"));
}

}  // namespace
