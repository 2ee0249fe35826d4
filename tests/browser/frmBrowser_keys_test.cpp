// frmBrowser's keys, pressed for real through the X server: each runs the command of
// the button it stands for, or acts on the address box, and none runs where it must not.
#include <gtkmm/editable.h>
#include <gtkmm/label.h>

#include "tests/browser/window_fixture.h"

// Xlib's macros clash with C++ headers, so it comes last.
#include "support/x_keys.h"

namespace {

using testing::IsEmpty;
using testing_support::BrowserWindowTest;
using testing_support::PumpFor;
using testing_support::PumpUntil;

enum class Focus { Page, Address, Toolbar };

struct KeyCase {
  const char* keys;  // as xdotool names them
  Focus focus;
  bool busy;
  std::vector<std::string> calls;
};

class KeysTest : public BrowserWindowTest {
 protected:
  void SetUp() override {
    LoadAndShow();
    GdkSurface* surface = form->get_surface()->gobj();
    if (!GDK_IS_X11_SURFACE(surface)) GTEST_SKIP() << "the keys are pressed through X11";
    TakeFocus();
  }

  // The keyboard goes back to the screen before the window goes.
  void TearDown() override {
    GdkSurface* surface = form->get_surface()->gobj();
    if (!GDK_IS_X11_SURFACE(surface)) return;
    XSetInputFocus(GDK_SURFACE_XDISPLAY(surface), PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(GDK_SURFACE_XDISPLAY(surface), False);
  }

  // No window manager runs here to give the window the keyboard.
  void TakeFocus() {
    GdkSurface* surface = form->get_surface()->gobj();
    XSetInputFocus(GDK_SURFACE_XDISPLAY(surface), GDK_SURFACE_XID(surface), RevertToParent,
                   CurrentTime);
    ASSERT_TRUE(PumpUntil([this] { return form->is_active(); }));
  }

  void Press(const std::string& keys) {
    ASSERT_TRUE(testing_support::PressKeys(*form, keys)) << keys;
  }

  void FocusOn(Focus focus) {
    Gtk::Widget& target = focus == Focus::Page      ? form->brwWebBrowser.AsWidget()
                          : focus == Focus::Address ? form->cboAddress.FocusTarget()
                                                    : form->tbToolBar.Buttons("Home");
    target.grab_focus();
    ASSERT_TRUE(PumpUntil([&] {
      return target.has_focus() || target.has_visible_focus() ||
             (form->get_focus() && form->get_focus()->is_ancestor(target));
    }));
  }

  bool AddressHasFocus() {
    Gtk::Widget* focus = form->get_focus();
    Gtk::Widget& text = form->cboAddress.FocusTarget();
    return focus && (focus == &text || focus->is_ancestor(text));
  }

  graphene_rect_t Bounds(Gtk::Widget& widget) {
    graphene_rect_t bounds{};
    EXPECT_TRUE(gtk_widget_compute_bounds(widget.gobj(), GTK_WIDGET(form->gobj()), &bounds));
    return bounds;
  }

  // The find bar's text field and what its label says about the matches.
  Gtk::Widget& FindText() { return *form->fbFind.get_first_child(); }
  std::string MatchesShown() {
    for (Gtk::Widget* part = form->fbFind.get_first_child(); part; part = part->get_next_sibling())
      if (auto* label = dynamic_cast<Gtk::Label*>(part)) return label->get_text();
    return "none";
  }

  Gtk::Editable& AddressText() {
    return dynamic_cast<Gtk::Editable&>(form->cboAddress.FocusTarget());
  }
};

// Pressed in one window: X gives a second window of the process the keyboard only
// after a window manager's help.
TEST_F(KeysTest, EachKeyRunsTheCommandOfItsButton) {
  const KeyCase cases[] = {
      {"alt+Left", Focus::Page, false, {"GoBack"}},
      {"alt+Right", Focus::Address, false, {"GoForward"}},
      {"BackSpace", Focus::Toolbar, false, {"GoBack"}},
      {"shift+BackSpace", Focus::Toolbar, false, {"GoForward"}},
      // In a text the key edits it: the address box, or a page's field.
      {"BackSpace", Focus::Address, false, {}},
      {"BackSpace", Focus::Page, false, {}},
      {"F5", Focus::Page, false, {"Refresh"}},
      {"ctrl+r", Focus::Address, false, {"Refresh"}},
      {"ctrl+F5", Focus::Page, false, {"RefreshBypassingCache"}},
      {"ctrl+shift+r", Focus::Toolbar, false, {"RefreshBypassingCache"}},
      {"alt+Home", Focus::Page, false, {"GoHome"}},
      {"Escape", Focus::Page, true, {"Stop"}},
      {"Escape", Focus::Page, false, {}},
      {"ctrl+plus", Focus::Page, false, {"ZoomLevel(1.10)"}},
      {"ctrl+minus", Focus::Page, false, {"ZoomLevel(1.00)"}},
      {"ctrl+minus", Focus::Address, false, {"ZoomLevel(0.90)"}},
      {"ctrl+0", Focus::Toolbar, false, {"ZoomLevel(1.00)"}},
  };
  for (const KeyCase& key : cases) {
    web->calls.clear();
    form->timTimer.Enabled(false);
    FocusOn(key.focus);
    web->busy = key.busy;
    Press(key.keys);
    if (key.calls.empty()) {
      PumpFor(std::chrono::milliseconds(300));
      EXPECT_THAT(web->calls, IsEmpty()) << key.keys;
      continue;
    }
    ASSERT_TRUE(PumpUntil([this] { return !web->calls.empty(); })) << key.keys;
    EXPECT_EQ(web->calls, key.calls) << key.keys;
    // Through the button's handler: the poll runs after each command but Stop; the
    // zoom loads nothing.
    const bool polls = key.calls[0] != "Stop" && !key.calls[0].starts_with("ZoomLevel");
    EXPECT_EQ(form->timTimer.Enabled(), polls) << key.keys;
  }
}

TEST_F(KeysTest, AddressKeysSelectTheAddressAndEscapePutsItBack) {
  web->url = "http://127.0.0.1/shown.html";
  form->cboAddress.Text(web->url);
  for (const char* keys : {"ctrl+l", "alt+d", "F6"}) {
    FocusOn(Focus::Page);
    Press(keys);
    int start = 0, end = 0;
    ASSERT_TRUE(PumpUntil([&] {
      return AddressHasFocus() && AddressText().get_selection_bounds(start, end) && start == 0 &&
             end == static_cast<int>(web->url.size());
    })) << keys;
  }
  Press("x y");
  ASSERT_TRUE(PumpUntil([this] { return form->cboAddress.Text() == "xy"; }));
  Press("Escape");
  ASSERT_TRUE(PumpUntil([this] { return form->cboAddress.Text() == web->url; }));
  EXPECT_THAT(web->calls, IsEmpty());
}

// The find bar's keys, one after another: what each asks of the page, and what the bar
// shows then. The page counts three matches of "ab", then none of "abz".
TEST_F(KeysTest, FindKeysSearchAsTheUserTypesStepThroughTheMatchesAndEscapeCloses) {
  struct Step {
    const char* keys;
    std::vector<std::string> calls;
    int counted;  // what the page then reports, or -1 for nothing
    const char* shown;
  };
  const Step steps[] = {
      {"ctrl+f", {}, -1, ""},
      {"a b", {"FindText(a)", "FindText(ab)"}, 3, "1 of 3"},
      {"Return", {"FindNext"}, -1, "2 of 3"},
      {"F3", {"FindNext"}, -1, "3 of 3"},
      {"F3", {"FindNext"}, -1, "1 of 3"},
      {"shift+F3", {"FindPrevious"}, -1, "3 of 3"},
      {"shift+Return", {"FindPrevious"}, -1, "2 of 3"},
      {"z", {"FindText(abz)"}, 0, "No matches"},
      {"Escape", {"FindFinish"}, -1, ""},
  };
  Gtk::Widget& page = form->brwWebBrowser.AsWidget();
  const int page_height = page.get_height();
  FocusOn(Focus::Page);
  for (const Step& step : steps) {
    web->calls.clear();
    Press(step.keys);
    ASSERT_TRUE(PumpUntil([&] { return web->calls.size() == step.calls.size(); })) << step.keys;
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_EQ(web->calls, step.calls) << step.keys;
    if (step.counted >= 0) web->signal_matches_counted().emit(step.counted);
    EXPECT_EQ(MatchesShown(), step.shown) << step.keys;
    EXPECT_EQ(FindText().has_css_class("error"), step.counted == 0) << step.keys;
    if (step.keys == std::string("ctrl+f")) {
      // The bar lies where the page began, which gives up the bar's height, and the
      // bar has the focus.
      ASSERT_TRUE(PumpUntil([&] { return page.get_height() < page_height; }));
      const graphene_rect_t bar = Bounds(form->fbFind), shown = Bounds(page);
      EXPECT_EQ(bar.origin.y + bar.size.height, shown.origin.y);
      EXPECT_EQ(shown.size.height + bar.size.height, page_height);
      EXPECT_TRUE(form->fbFind.Focused());
    }
  }
  // Escape gave the page its height and the focus back.
  EXPECT_FALSE(form->fbFind.get_visible());
  ASSERT_TRUE(PumpUntil([&] { return page.get_height() == page_height; }));
  ASSERT_TRUE(PumpUntil([&] { return page.has_focus(); }));
}

TEST_F(KeysTest, CtrlWAndCtrlQCloseTheWindow) {
  int closes = 0;
  // Kept open, so that the second key has a window to close.
  form->signal_close_request().connect([&closes] { return ++closes, true; }, false);
  Press("ctrl+w");
  ASSERT_TRUE(PumpUntil([&closes] { return closes == 1; }));
  Press("ctrl+q");
  ASSERT_TRUE(PumpUntil([&closes] { return closes == 2; }));
}

}  // namespace
