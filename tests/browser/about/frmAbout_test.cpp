// The About dialog in a real window: its design content and placements, Enter, Esc,
// "OK" and the window's close all unloading it, reloading on the next show, the one
// shared instance, "&System Info..." ending in the message box, and an application
// that keeps running while the dialog is open after its main window has gone.
#include "browser/about/frmAbout.h"

#include <gtest/gtest.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/shortcutcontroller.h>

#include "browser/about/hive_registry.h"
#include "support/ui.h"
#include "temp_folder.h"

namespace {

using browser::frmAbout;
using testing_support::PumpFor;
using testing_support::PumpUntil;

// The About windows the program holds, shown or not.
int AboutWindows() {
  int count = 0;
  for (Gtk::Window* window : Gtk::Window::list_toplevels())
    if (window->get_title() == "Info") ++count;
  return count;
}

// A dialog whose "&System Info..." reads a hive in the test's own folder.
struct AboutFixture : testing::Test {
  about_test::TempFolder folder;
  browser::registry::HiveRegistry registry{folder.path()};
  browser::DiskFileSearch file_search;
  browser::SpawnProgramStart program_start;
  testing_support::ScriptedMessageBox message_box;
  frmAbout about{{registry, file_search, program_start, message_box}};

  frmAbout::Design& ShowAndWait() {
    about.Show({});
    EXPECT_TRUE(
        PumpUntil([&] { return about.Loaded() && about.Controls()->cmdOK.get_width() > 0; }));
    return *about.Controls();
  }

  Gtk::Window& window() { return *about.Window(); }
};

// Where widget lies in the dialog's client area, in pixels, its border included.
Gtk::Allocation PlaceOf(Gtk::Widget& widget, Gtk::Widget& client) {
  graphene_rect_t bounds;
  EXPECT_TRUE(gtk_widget_compute_bounds(widget.gobj(), client.gobj(), &bounds));
  return Gtk::Allocation(static_cast<int>(bounds.origin.x), static_cast<int>(bounds.origin.y),
                         static_cast<int>(bounds.size.width), static_cast<int>(bounds.size.height));
}

void ExpectPlace(Gtk::Widget& widget, Gtk::Widget& client, int x, int y, int width, int height) {
  const Gtk::Allocation place = PlaceOf(widget, client);
  EXPECT_EQ(place.get_x(), x);
  EXPECT_EQ(place.get_y(), y);
  EXPECT_EQ(place.get_width(), width);
  EXPECT_EQ(place.get_height(), height);
}

TEST_F(AboutFixture, ShowsItsDesignContentAtItsPlacements) {
  frmAbout::Design& form = ShowAndWait();
  EXPECT_EQ(window().get_title(), "Info");
  EXPECT_FALSE(window().get_resizable());
  EXPECT_EQ(window().get_icon_name(), "korvo-about");
  EXPECT_TRUE(Gtk::IconTheme::get_for_display(window().get_display())->has_icon("korvo-about"));
  EXPECT_EQ(form.lblTitle.get_text(), "Korvo");
  EXPECT_EQ(form.lblVersion.get_text(), "0.1.0");
  EXPECT_EQ(form.cmdOK.get_label(), "OK");
  EXPECT_EQ(form.cmdSysInfo.get_label(), "_System Info...");
  EXPECT_TRUE(form.cmdSysInfo.get_use_underline());
  EXPECT_GE(form.Label1.get_text().size(), 180u);
  EXPECT_LE(form.Label1.get_text().size(), 240u);

  // Twips at 15 a pixel: client 6210 x 6630, cmdOK 4440, 3000, 1260, 345, and so on.
  EXPECT_EQ(form.client.get_width(), 414);
  EXPECT_EQ(form.client.get_height(), 442);
  ExpectPlace(form.picIcon, form.client, 16, 16, 36, 36);
  ExpectPlace(form.cmdOK, form.client, 296, 200, 84, 23);
  ExpectPlace(form.cmdSysInfo, form.client, 296, 240, 83, 23);
  ExpectPlace(form.Image1, form.client, 8, 176, 400, 247);
  ExpectPlace(form.lblTitle, form.client, 72, 16, 331, 32);
  // The etched separator: a grey line one pixel above a white one two pixels thick.
  ExpectPlace(form.Line1[1], form.client, 6, 163, 402, 1);
  ExpectPlace(form.Line1[0], form.client, 7, 164, 401, 2);

  ASSERT_TRUE(form.picIcon.get_paintable());
  EXPECT_EQ(form.picIcon.get_paintable()->get_intrinsic_width(), 32);
  ASSERT_TRUE(form.Image1.get_paintable());
  EXPECT_EQ(form.Image1.get_paintable()->get_intrinsic_width(), 400);
  EXPECT_EQ(form.Image1.get_paintable()->get_intrinsic_height(), 247);

  // The description fits its label's height at its width.
  int minimum = 0, natural = 0, minimum_baseline = 0, natural_baseline = 0;
  form.Label1.measure(Gtk::Orientation::VERTICAL, form.Label1.get_width(), minimum, natural,
                      minimum_baseline, natural_baseline);
  EXPECT_LE(minimum, form.Label1.get_height());
}

TEST_F(AboutFixture, FocusStartsOnOkWhichIsTheDefaultAndTabMovesToSystemInfo) {
  frmAbout::Design& form = ShowAndWait();
  EXPECT_EQ(window().get_focus(), &form.cmdOK);
  EXPECT_EQ(window().get_default_widget(), &form.cmdOK);
  EXPECT_FALSE(form.picIcon.get_focusable());
  // Tab moves the focus of the active window; another test's window may hold the
  // display's focus for a moment.
  ASSERT_TRUE(PumpUntil([&] {
    if (!window().is_active()) window().present();
    return window().is_active();
  }));
  window().child_focus(Gtk::DirectionType::TAB_FORWARD);
  EXPECT_EQ(window().get_focus(), &form.cmdSysInfo);
}

TEST_F(AboutFixture, OkUnloadsAndTheNextShowReloadsTheDesignContent) {
  frmAbout::Design* first = &ShowAndWait();
  first->cmdOK.activate();  // what Enter does on the focused button
  EXPECT_TRUE(PumpUntil([&] { return !about.Loaded(); }));
  // Not even hidden: a hidden window crashes GTK's answer to a screen reader asking
  // for a window past the last one shown.
  EXPECT_EQ(AboutWindows(), 0);
  EXPECT_EQ(about.Controls(), nullptr);

  frmAbout::Design& again = ShowAndWait();
  EXPECT_TRUE(window().get_visible());
  EXPECT_EQ(again.lblTitle.get_text(), "Korvo");
  EXPECT_EQ(again.lblVersion.get_text(), "0.1.0");
  EXPECT_EQ(window().get_focus(), &again.cmdOK);
}

TEST_F(AboutFixture, EnterAnywhereAndEscUnload) {
  ShowAndWait();
  window().set_focus(about.Controls()->Label1);
  EXPECT_TRUE(window().activate_action("default.activate"));
  EXPECT_TRUE(PumpUntil([&] { return !about.Loaded(); }));

  // Esc is a shortcut of "OK" that holds in the whole window.
  Gtk::Button& ok = ShowAndWait().cmdOK;
  window().set_focus(about.Controls()->cmdSysInfo);
  Glib::RefPtr<Gtk::Shortcut> escape;
  auto controllers = ok.observe_controllers();
  for (guint i = 0; i < controllers->get_n_items(); ++i) {
    auto shortcuts = std::dynamic_pointer_cast<Gtk::ShortcutController>(controllers->get_object(i));
    if (!shortcuts || shortcuts->get_scope() != Gtk::ShortcutScope::GLOBAL) continue;
    auto shortcut = std::dynamic_pointer_cast<Gtk::Shortcut>(shortcuts->get_object(0));
    if (shortcut && shortcut->get_trigger()->to_string() == "Escape") escape = shortcut;
  }
  ASSERT_TRUE(escape);
  EXPECT_TRUE(escape->get_action()->activate(ok));
  EXPECT_TRUE(PumpUntil([&] { return !about.Loaded(); }));
}

TEST_F(AboutFixture, ClosingTheWindowUnloadsItToo) {
  ShowAndWait();
  window().close();
  EXPECT_TRUE(PumpUntil([&] { return !about.Loaded(); }));
  EXPECT_EQ(AboutWindows(), 0);
}

TEST_F(AboutFixture, SystemInfoWithoutARegisteredToolTellsSoAndStaysOpen) {
  ShowAndWait().cmdSysInfo.activate();
  ASSERT_TRUE(PumpUntil([&] { return message_box.shown.size() == 1; }));
  EXPECT_EQ(message_box.shown[0], (testing_support::ShownMessage{
                                      "System Information Is Unavailable At This Time", 0, ""}));
  EXPECT_TRUE(about.Loaded());
  EXPECT_TRUE(window().get_visible());
}

TEST(SharedAbout, ShowingTwiceLeavesOneDialogAndOkThenShowBringsTheSameBack) {
  EXPECT_EQ(browser::SharedAbout(), nullptr);
  browser::ShowAbout({});
  frmAbout* first = browser::SharedAbout();
  ASSERT_NE(first, nullptr);
  browser::ShowAbout({});
  EXPECT_EQ(browser::SharedAbout(), first);
  ASSERT_TRUE(PumpUntil([&] { return first->Window()->get_mapped(); }));
  EXPECT_EQ(AboutWindows(), 1);

  first->Controls()->cmdOK.activate();
  EXPECT_TRUE(PumpUntil([&] { return AboutWindows() == 0; }));
  browser::ShowAbout({});
  EXPECT_EQ(browser::SharedAbout(), first);
  EXPECT_EQ(AboutWindows(), 1);
  first->Unload();
}

// The application ends when its last window goes: the About dialog counts as one.
TEST(SharedAbout, KeepsTheApplicationRunningAfterTheMainWindowHasClosed) {
  auto app = Gtk::Application::create("org.korvo.AboutTest", Gio::Application::Flags::NON_UNIQUE);
  Gtk::Window main_window;
  bool alive_after_main_closed = false;
  bool watchdog_fired = false;
  sigc::connection watchdog;
  app->signal_activate().connect([&] {
    app->add_window(main_window);
    main_window.present();
    browser::ShowAbout(app);
    // The main window closes and goes, as the browser window does.
    Glib::signal_timeout().connect_once([&] { app->remove_window(main_window); }, 100);
    Glib::signal_timeout().connect_once(
        [&] {
          alive_after_main_closed = browser::SharedAbout()->Window()->get_visible();
          browser::SharedAbout()->Controls()->cmdOK.activate();
        },
        600);
    watchdog = Glib::signal_timeout().connect(
        [&] {
          watchdog_fired = true;
          app->quit();
          return false;
        },
        10000);
  });
  EXPECT_EQ(app->run(0, nullptr), 0);
  watchdog.disconnect();
  EXPECT_TRUE(alive_after_main_closed);
  EXPECT_FALSE(watchdog_fired);  // "OK" on the last window ended the application
  EXPECT_FALSE(browser::SharedAbout()->Loaded());
}

}  // namespace
