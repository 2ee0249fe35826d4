// frmBrowser's toolbar: each button's key runs its command on the view, every click
// switches the busy poll on first, Stop switches it off and shows the page name, and
// a command the view refuses changes nothing else.
#include "tests/browser/window_fixture.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::BrowserWindowTest;
using testing_support::PumpUntil;

class ToolbarTest : public BrowserWindowTest,
                    public testing::WithParamInterface<std::pair<const char*, const char*>> {
 protected:
  void SetUp() override { LoadAndShow(); }
  void Click(const std::string& key) { BrowserWindowTest::Click(form->tbToolBar.Buttons(key)); }
};

TEST_P(ToolbarTest, EachButtonRunsItsCommandWithThePollOn) {
  const auto [key, command] = GetParam();
  web->busy = true;
  Click(key);
  EXPECT_THAT(web->calls, ElementsAre(command));
  EXPECT_TRUE(form->timTimer.Enabled());
  ASSERT_TRUE(PumpUntil([this] { return Title() == "Working..."; }));
  web->busy = false;
  web->name = "After";
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
  EXPECT_EQ(Title(), "After");
}

// The button captioned "Reload" has the key "Refresh".
INSTANTIATE_TEST_SUITE_P(Buttons, ToolbarTest,
                         testing::Values(std::pair{"Back", "GoBack"},
                                         std::pair{"Forward", "GoForward"},
                                         std::pair{"Refresh", "Refresh"},
                                         std::pair{"Home", "GoHome"},
                                         std::pair{"Search", "GoSearch"}),
                         [](const auto& info) { return std::string(info.param.first); });

class ToolbarCommandTest : public BrowserWindowTest {
 protected:
  void SetUp() override { LoadAndShow(); }
  void Click(const std::string& key) { BrowserWindowTest::Click(form->tbToolBar.Buttons(key)); }
};

TEST_F(ToolbarCommandTest, AnUnknownKeyOnlySwitchesThePollOn) {
  for (const char* key : {"Bogus", "back", "STOP", "Reload", ""}) {
    form->timTimer.Enabled(false);
    form->tbToolBar.signal_button_click().emit(key);
    EXPECT_TRUE(form->timTimer.Enabled()) << key;
  }
  EXPECT_THAT(web->calls, IsEmpty());
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
}

TEST_F(ToolbarCommandTest, StopEndsWithThePollOffAndThePageNameEvenWhenIdle) {
  web->name = "Stopped here";
  Click("Stop");
  EXPECT_THAT(web->calls, ElementsAre("Stop"));
  EXPECT_FALSE(form->timTimer.Enabled());
  EXPECT_EQ(Title(), "Stopped here");

  // While busy too: the poll is off at once, whatever the view says.
  web->busy = true;
  web->name = "Half loaded";
  Click("Home");
  Click("Stop");
  EXPECT_FALSE(form->timTimer.Enabled());
  EXPECT_EQ(Title(), "Half loaded");
}

TEST_F(ToolbarCommandTest, StopRunsEachStepWhenAnEarlierOneFails) {
  web->failing = {"Stop"};
  web->name = "Still shown";
  Click("Stop");
  EXPECT_FALSE(form->timTimer.Enabled());
  EXPECT_EQ(Title(), "Still shown");

  // A name that cannot be read leaves the caption as it was.
  web->failing = {"LocationName"};
  web->name = "Never shown";
  Click("Stop");
  EXPECT_EQ(Title(), "Still shown");
  EXPECT_THAT(web->calls, ElementsAre("Stop", "Stop"));
}

TEST_F(ToolbarCommandTest, ARefusedBackChangesNothingButThePollWhichStopsItself) {
  web->failing = {"GoBack"};
  web->name = "Same page";
  testing::internal::CaptureStderr();
  Click("Back");
  // Resume-next: the refusal is not reported anywhere.
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(form->timTimer.Enabled());
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
  EXPECT_EQ(Title(), "Same page");
}

TEST_F(ToolbarCommandTest, TheDropDownArrowsDoNothing) {
  // The arrow sits right of its button and is the only other control of the row.
  for (const char* key : {"Back", "Forward"}) {
    Gtk::Widget* arrow = form->tbToolBar.Buttons(key).get_next_sibling();
    ASSERT_NE(arrow, nullptr);
    BrowserWindowTest::Click(*arrow);
  }
  EXPECT_THAT(web->calls, IsEmpty());
  EXPECT_FALSE(form->timTimer.Enabled());
}

}  // namespace
