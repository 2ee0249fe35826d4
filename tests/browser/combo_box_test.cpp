// The combo box control on its own: its list operations, Click only when an entry
// becomes selected (never while typing), ListIndex raising Click before it returns,
// and KeyPress with Enter as 13.
#include "browser/combo_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <gtkmm/combobox.h>
#include <gtkmm/window.h>

#include "common/errors.h"
#include "support/ui.h"

namespace {

using testing::ElementsAre;

struct ComboWindow : Gtk::Window {
  browser::ComboBox box;
  std::vector<std::string> clicks;  // the text at each Click
  std::vector<short> keys;

  ComboWindow() {
    set_child(box);
    box.signal_click().connect([this] { clicks.push_back(box.Text()); });
    box.signal_key_press().connect([this](short& key) { keys.push_back(key); });
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> entries;
    for (int i = 0; i < box.ListCount(); ++i) entries.push_back(box.List(i));
    return entries;
  }
};

TEST(ComboBox, AddsAndRemovesEntriesAtAnIndex) {
  ComboWindow window;
  window.box.AddItem("b");
  window.box.AddItem("c");
  window.box.AddItem("a", 0);
  window.box.AddItem("end", 3);
  EXPECT_THAT(window.Entries(), ElementsAre("a", "b", "c", "end"));
  window.box.RemoveItem(1);
  EXPECT_THAT(window.Entries(), ElementsAre("a", "c", "end"));
  EXPECT_THROW(window.box.AddItem("x", 5), common::Error);
  EXPECT_THROW(window.box.RemoveItem(3), common::Error);
  EXPECT_THROW(window.box.List(-1), common::Error);
  EXPECT_THROW(window.box.ListIndex(3), common::Error);
  EXPECT_EQ(window.box.ListCount(), 3);
  EXPECT_TRUE(window.clicks.empty());
}

TEST(ComboBox, WritingListIndexShowsTheEntryAndRaisesClickBeforeReturning) {
  ComboWindow window;
  window.box.AddItem("one");
  window.box.AddItem("two");
  window.box.ListIndex(1);
  EXPECT_THAT(window.clicks, ElementsAre("two"));
  EXPECT_EQ(window.box.Text(), "two");
  EXPECT_EQ(window.box.ListIndex(), 1);
  // Writing the same index again is a Click again; -1 only clears the selection.
  window.box.ListIndex(1);
  window.box.ListIndex(-1);
  EXPECT_THAT(window.clicks, ElementsAre("two", "two"));
  EXPECT_EQ(window.box.ListIndex(), -1);
}

TEST(ComboBox, AnErrorInAClickRaisedByListIndexReachesTheWriter) {
  ComboWindow window;
  window.box.AddItem("one");
  window.box.signal_click().connect([] { throw common::Error("refused"); });
  EXPECT_THROW(window.box.ListIndex(0), common::Error);
}

TEST(ComboBox, APickRaisesClickAndTypingDoesNot) {
  ComboWindow window;
  window.present();
  window.box.AddItem("one");
  window.box.AddItem("two");
  auto* combo = dynamic_cast<Gtk::ComboBox*>(window.box.get_first_child());
  ASSERT_NE(combo, nullptr);
  combo->set_active(0);
  EXPECT_THAT(window.clicks, ElementsAre("one"));
  // Typing leaves no entry selected, even a text equal to an entry.
  window.box.Text("tw");
  window.box.Text("two");
  EXPECT_EQ(window.box.ListIndex(), -1);
  combo->set_active(1);
  EXPECT_THAT(window.clicks, ElementsAre("one", "two"));
}

TEST(ComboBox, PickingTheSelectedEntryAgainIsAClickAgain) {
  ComboWindow window;
  window.box.AddItem("one");
  auto* combo = dynamic_cast<Gtk::ComboBox*>(window.box.get_first_child());
  ASSERT_NE(combo, nullptr);
  window.box.ListIndex(0);
  combo->set_active(0);
  combo->set_active(0);
  EXPECT_THAT(window.clicks, ElementsAre("one", "one", "one"));
  EXPECT_EQ(window.box.ListIndex(), 0);
}

TEST(ComboBox, TheSelectionFollowsItsEntryAsOthersComeAndGo) {
  ComboWindow window;
  for (const char* entry : {"a", "b", "c"}) window.box.AddItem(entry);
  window.box.ListIndex(1);
  window.box.AddItem("top", 0);
  EXPECT_EQ(window.box.ListIndex(), 2);
  window.box.AddItem("end");
  window.box.RemoveItem(0);
  EXPECT_EQ(window.box.ListIndex(), 1);
  EXPECT_EQ(window.box.List(window.box.ListIndex()), "b");
  window.box.RemoveItem(1);
  EXPECT_EQ(window.box.ListIndex(), -1);
  EXPECT_EQ(window.box.Text(), "b");
}

TEST(ComboBox, EnterInTheTextIsKeyPress13) {
  ComboWindow window;
  window.box.Text("typed");
  g_signal_emit_by_name(window.box.FocusTarget().gobj(), "activate");
  EXPECT_THAT(window.keys, ElementsAre(13));
  EXPECT_TRUE(window.clicks.empty());
}

}  // namespace
