// frmBrowser's address box, window title and busy poll: Enter and picks navigate,
// the guard keeps the address list's own updates from navigating, the title follows
// the view, and each handler treats a failing view as its error semantics say.
#include "tests/browser/window_fixture.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing_support::BrowserWindowTest;
using testing_support::PumpFor;
using testing_support::PumpUntil;

class AddressBoxTest : public BrowserWindowTest {
 protected:
  void SetUp() override { LoadAndShow(); }
};

TEST_F(AddressBoxTest, EnterNavigatesToTheTextEvenWhenItIsEmpty) {
  PressEnter();
  EXPECT_TRUE(form->timTimer.Enabled());
  form->cboAddress.Text("  Example.ORG ");
  PressEnter();
  EXPECT_THAT(web->calls, ElementsAre("Navigate()", "Navigate(  Example.ORG )"));
  EXPECT_EQ(form->cboAddress.ListCount(), 0);
}

TEST_F(AddressBoxTest, OtherKeysDoNothingAndAreNotCancelled) {
  form->cboAddress.Text("example.org");
  for (short key : {short{'a'}, short{10}, short{27}, short{8}, short{-13}, short{0x10D}}) {
    short key_ascii = key;
    form->cboAddress.signal_key_press().emit(key_ascii);
    EXPECT_EQ(key_ascii, key);
  }
  EXPECT_THAT(web->calls, IsEmpty());
  EXPECT_FALSE(form->timTimer.Enabled());
}

TEST_F(AddressBoxTest, APickFromTheListNavigatesToItAndLeavesTheListAlone) {
  form->cboAddress.AddItem("first.example");
  form->cboAddress.AddItem("second.example");
  PickFromList(1);
  EXPECT_THAT(web->calls, ElementsAre("Navigate(second.example)"));
  EXPECT_TRUE(form->timTimer.Enabled());
  EXPECT_THAT(Entries(), ElementsAre("first.example", "second.example"));
}

TEST_F(AddressBoxTest, TypingIntoTheBoxDoesNotNavigate) {
  form->cboAddress.AddItem("first.example");
  PickFromList(0);
  web->calls.clear();
  form->cboAddress.Text("first.exampl");
  form->cboAddress.Text("first.example");
  PumpFor(std::chrono::milliseconds(20));
  EXPECT_THAT(web->calls, IsEmpty());
}

TEST_F(AddressBoxTest, WhileTheListIsBeingUpdatedNeitherPickNorEnterNavigates) {
  form->cboAddress.AddItem("older.example");
  web->url = "new.example";
  // The second read of the address comes after the guard is set, while the list
  // changes: the user's pick and Enter arrive right then.
  web->on_location_url_read = [this](int reads) {
    if (reads != 2) return;
    PickFromList(0);
    PressEnter();
  };
  web->signal_location_changed().emit();
  EXPECT_THAT(web->calls, IsEmpty());
  EXPECT_FALSE(form->timTimer.Enabled());
  // Once the update is over, both navigate again.
  web->on_location_url_read = nullptr;
  PressEnter();
  PickFromList(1);
  EXPECT_THAT(web->calls, ElementsAre("Navigate(new.example)", "Navigate(older.example)"));
}

TEST_F(AddressBoxTest, ThePollShowsWorkingWhileBusyThenThePageNameAndStops) {
  EXPECT_EQ(form->timTimer.Interval(), 5u);
  web->busy = true;
  web->name = "Ready";
  form->cboAddress.Text("example.org");
  PressEnter();
  ASSERT_TRUE(PumpUntil([this] { return Title() == "Working..."; }));
  // The title is written when it changes, not on every tick.
  auto title_writes = std::make_shared<int>(0);
  form->property_title().signal_changed().connect([title_writes] { ++*title_writes; });
  const int ticks = web->busy_reads;
  ASSERT_TRUE(PumpUntil([&] { return web->busy_reads >= ticks + 5; }));
  EXPECT_TRUE(form->timTimer.Enabled());
  EXPECT_EQ(Title(), "Working...");
  EXPECT_EQ(*title_writes, 0);
  web->busy = false;
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
  EXPECT_EQ(Title(), "Ready");
}

TEST_F(AddressBoxTest, DownloadCompleteSetsThePageNameAlsoWhileThePollIsOff) {
  web->name = "Example Domain";
  web->signal_download_complete().emit();
  EXPECT_EQ(Title(), "Example Domain");
  EXPECT_FALSE(form->timTimer.Enabled());
  // A name that cannot be read leaves the title as it was.
  web->failing = {"LocationName"};
  web->signal_download_complete().emit();
  EXPECT_EQ(Title(), "Example Domain");
}

TEST_F(AddressBoxTest, TheFirstAddressBecomesTheOnlyEntryAndIsSelectedWithoutNavigating) {
  web->url = "http://example.org/";
  web->name = "Example";
  web->signal_location_changed().emit();
  EXPECT_THAT(Entries(), ElementsAre("http://example.org/"));
  EXPECT_EQ(form->cboAddress.ListIndex(), 0);
  EXPECT_EQ(form->cboAddress.Text(), "http://example.org/");
  EXPECT_EQ(Title(), "Example");
  EXPECT_THAT(web->calls, IsEmpty());
  EXPECT_FALSE(form->timTimer.Enabled());
}

TEST_F(AddressBoxTest, AKnownAddressMovesToTheTopAndASecondEqualEntryStays) {
  for (const char* entry : {"a", "b", "c", "d", "c"}) form->cboAddress.AddItem(entry);
  web->url = "c";
  web->signal_location_changed().emit();
  EXPECT_THAT(Entries(), ElementsAre("c", "a", "b", "d", "c"));
  EXPECT_EQ(form->cboAddress.Text(), "c");
  EXPECT_THAT(web->calls, IsEmpty());
}

TEST_F(AddressBoxTest, AddressesThatDifferInLetterCaseAreDifferentEntries) {
  form->cboAddress.AddItem("http://Example.org/");
  web->url = "http://example.org/";
  web->signal_location_changed().emit();
  EXPECT_THAT(Entries(), ElementsAre("http://example.org/", "http://Example.org/"));
}

TEST_F(AddressBoxTest, AFailedHistoryUpdateStopsThereButLeavesTheAddressBoxWorking) {
  form->cboAddress.AddItem("a");
  web->url = "b";
  web->name = "B";
  // The second read, after the guard is set, fails.
  web->on_location_url_read = [this](int reads) {
    if (reads == 2) web->failing = {"LocationURL"};
  };
  // With no trap, the error goes on to whoever raised the notification.
  EXPECT_THROW(web->signal_location_changed().emit(), common::Error);
  EXPECT_EQ(Title(), "B");
  EXPECT_THAT(Entries(), ElementsAre("a"));
  web->failing.clear();
  web->on_location_url_read = nullptr;
  form->cboAddress.Text("c");
  PressEnter();
  EXPECT_THAT(web->calls, ElementsAre("Navigate(c)"));
}

TEST_F(AddressBoxTest, EnterSwallowsAFailingNavigateAndAPickPassesItOn) {
  web->failing = {"Navigate"};
  testing::internal::CaptureStderr();
  PressEnter();
  const std::string after_enter = testing::internal::GetCapturedStderr();
  EXPECT_THAT(after_enter, Not(HasSubstr("Navigate failed")));
  // The timer went on before the failure and stops itself on its first idle tick.
  EXPECT_TRUE(form->timTimer.Enabled());
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));

  form->cboAddress.AddItem("bad address");
  testing::internal::CaptureStderr();
  PickFromList(0);
  const std::string after_pick = testing::internal::GetCapturedStderr();
  EXPECT_THAT(after_pick, HasSubstr("Navigate failed"));
  EXPECT_TRUE(form->timTimer.Enabled());
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
}

TEST_F(AddressBoxTest, APollTickThatCannotReadBusyChangesNothingAndTheNextTriesAgain) {
  form->cboAddress.Text("example.org");
  web->failing = {"Busy"};
  web->name = "Done";
  PressEnter();
  PumpFor(std::chrono::milliseconds(30));
  EXPECT_EQ(Title(), "- Korvo");
  EXPECT_TRUE(form->timTimer.Enabled());
  web->failing.clear();
  ASSERT_TRUE(PumpUntil([this] { return !form->timTimer.Enabled(); }));
  EXPECT_EQ(Title(), "Done");
}

}  // namespace
