#include "common/gtk_message_box.h"

#include <glibmm/main.h>
#include <gtest/gtest.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/image.h>

#include <functional>

#include "support/ui.h"
// Xlib's macros (None, Status...) clash with C++ headers, so it comes last.
#include <gdk/x11/gdkx.h>

namespace {

// Answers the box once it is on screen, letting inspect look at it first.
int ShowAndAnswer(common::GtkMessageBox& box, const std::string& prompt, int style,
                  const std::string& title, Gtk::ResponseType response,
                  const std::function<void(Gtk::MessageDialog&)>& inspect) {
  Glib::signal_timeout().connect(
      [&] {
        Gtk::MessageDialog* dialog = box.Current();
        if (!dialog || !dialog->get_mapped()) return true;
        inspect(*dialog);
        dialog->response(response);
        return false;
      },
      10);
  return box.Show(prompt, style, title);
}

// The icon a box shows, or null.
Gtk::Image* IconOf(Gtk::Widget& widget) {
  if (auto* image = dynamic_cast<Gtk::Image*>(&widget)) return image;
  for (Gtk::Widget* child = widget.get_first_child(); child; child = child->get_next_sibling())
    if (Gtk::Image* image = IconOf(*child)) return image;
  return nullptr;
}

TEST(GtkMessageBox, ShowsTheTitleOrTheApplicationTitleAndReturnsTheButton) {
  common::GtkMessageBox box("Korvo Browser");
  std::string title;
  auto read_title = [&](Gtk::MessageDialog& dialog) { title = dialog.get_title(); };
  EXPECT_EQ(ShowAndAnswer(box, "System Information Is Unavailable At This Time", 0, "",
                          Gtk::ResponseType::OK, read_title),
            common::kOk);
  EXPECT_EQ(title, "Korvo Browser");

  EXPECT_EQ(ShowAndAnswer(box, "Delete?", common::kQuestion | common::kYesNo, "Confirm Delete",
                          Gtk::ResponseType::YES, read_title),
            common::kYes);
  EXPECT_EQ(title, "Confirm Delete");

  EXPECT_EQ(ShowAndAnswer(box, "Delete?", common::kQuestion | common::kYesNo, "Confirm Delete",
                          Gtk::ResponseType::DELETE_EVENT, read_title),
            common::kNo);
  EXPECT_EQ(box.Current(), nullptr);
}

// Each box follows the one before it at once, as "Deleted" follows "Confirm Delete",
// when no window has the focus yet; and no icon theme is installed, as on a bare system.
TEST(GtkMessageBox, EachBoxShowsItsStylesIconAndStaysOverItsOwner) {
  auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  theme->set_search_path({});
  Gtk::Window owner;
  owner.present();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return owner.get_mapped(); }));
  common::GtkMessageBox box("File Manager");
  box.SetOwner([&owner] { return &owner; });

  struct Row {
    int style;
    const char* icon;  // "" for none
  };
  const Row rows[] = {
      {common::kQuestion | common::kYesNo, "dialog-question-symbolic"},
      {common::kInformation, "dialog-information-symbolic"},
      {common::kCritical, "dialog-error-symbolic"},
      {common::kExclamation, "dialog-warning-symbolic"},
      {common::kOkOnly, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.style);
    bool over_owner = false;
    std::string icon = "(none)";
    std::string drawn;
    ShowAndAnswer(box, "text", row.style, "Title", Gtk::ResponseType::OK,
                  [&](Gtk::MessageDialog& dialog) {
                    over_owner = dialog.get_transient_for() == &owner && dialog.get_modal();
                    if (Gtk::Image* image = IconOf(dialog)) {
                      icon = image->get_icon_name();
                      drawn = theme->lookup_icon(icon, 48)->get_icon_name();
                    }
                  });
    EXPECT_TRUE(over_owner);
    if (*row.icon == '\0') {
      EXPECT_EQ(icon, "(none)");
    } else {
      EXPECT_EQ(icon, row.icon);
      EXPECT_EQ(drawn, row.icon) << "the icon is missing without an icon theme";
    }
  }
}

// Where the middle of a window is on the screen, as the X server has it.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};
ScreenPoint ScreenCentre(Gtk::Window& window) {
  GdkSurface* surface = window.get_surface()->gobj();
  Display* display = GDK_SURFACE_XDISPLAY(surface);
  int left = 0, top = 0;
  ::Window child = 0;
  XTranslateCoordinates(display, GDK_SURFACE_XID(surface), DefaultRootWindow(display), 0, 0, &left,
                        &top, &child);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, GDK_SURFACE_XID(surface), &attributes);
  return {left + attributes.width / 2, top + attributes.height / 2};
}

// With no window manager to place them, each box still opens over the middle of its
// owner, the second right after the first has closed.
TEST(GtkMessageBox, OpensCentredOnItsOwner) {
  if (!GDK_IS_X11_DISPLAY(Gdk::Display::get_default()->gobj())) GTEST_SKIP() << "not on X11";
  Gtk::Window owner;
  owner.set_default_size(640, 480);
  owner.present();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return owner.get_mapped(); }));
  GdkSurface* surface = owner.get_surface()->gobj();
  XMoveWindow(GDK_SURFACE_XDISPLAY(surface), GDK_SURFACE_XID(surface), 310, 170);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return ScreenCentre(owner).x > 310; }));
  const ScreenPoint middle = ScreenCentre(owner);
  common::GtkMessageBox box("File Manager");
  box.SetOwner([&owner] { return &owner; });

  for (const char* title : {"Confirm Delete", "Deleted"}) {
    SCOPED_TRACE(title);
    ScreenPoint centre;
    ShowAndAnswer(box, "text", common::kInformation, title, Gtk::ResponseType::OK,
                  [&](Gtk::MessageDialog& dialog) { centre = ScreenCentre(dialog); });
    EXPECT_NEAR(centre.x, middle.x, 3);
    EXPECT_NEAR(centre.y, middle.y, 3);
  }
}

}  // namespace
