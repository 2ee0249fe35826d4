// Form1's layout, start-up and browsing: where the controls stand, where the lists
// open, the path box, a drive that cannot be opened, folder errors, Back and Forward.
#include <gdk/gdkkeysyms.h>
#include <glibmm/miscutils.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "form1_fixture.h"

namespace {

using testing_support::Form1Test;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using testing_support::ShownMessage;

// The control's place in its container, border included, in pixels.
Gdk::Rectangle PlaceOf(Gtk::Widget& control, Gtk::Widget& container) {
  graphene_rect_t bounds;
  if (!gtk_widget_compute_bounds(control.gobj(), container.gobj(), &bounds)) return {};
  return {static_cast<int>(bounds.origin.x), static_cast<int>(bounds.origin.y),
          static_cast<int>(bounds.size.width), static_cast<int>(bounds.size.height)};
}

TEST_F(Form1Test, StartsInTheProcessFolderWithEveryFileListedAndNothingSelected) {
  MakeScriptedForm();
  EXPECT_EQ(form->get_title(), "File Manager");
  EXPECT_EQ(form->get_icon_name(), "");  // the program's icon serves it
  EXPECT_EQ(fso_made, 1);
  EXPECT_EQ(fso_owner, form.get());
  EXPECT_EQ(form->Dir1.Path(), Glib::get_current_dir());
  EXPECT_EQ(form->File1.Path(), Glib::get_current_dir());
  EXPECT_EQ(form->File1.Pattern(), "*.*");
  EXPECT_EQ(form->File1.FileName(), "");
  EXPECT_EQ(PathBox(), "");
  EXPECT_EQ(form->ClipboardPath(), "");
  EXPECT_FALSE(form->IsCut());
}

TEST_F(Form1Test, ControlsKeepTheirDesignPlacesWhateverTheWindowSize) {
  MakeScriptedForm();
  auto& area = *form->get_child();
  ASSERT_TRUE(PumpUntil([&] { return form->Command5.get_width() > 0; }));
  auto check = [&] {
    EXPECT_EQ(PlaceOf(form->Drive1, area), Gdk::Rectangle(0, 8, 505, 21));
    EXPECT_EQ(PlaceOf(form->Dir1, area), Gdk::Rectangle(0, 32, 505, 246));
    EXPECT_EQ(PlaceOf(form->File1, area), Gdk::Rectangle(0, 280, 505, 279));
    EXPECT_EQ(PlaceOf(form->StatusBar1, area), Gdk::Rectangle(0, 562, 975, 17));
    EXPECT_EQ(PlaceOf(form->z, area), Gdk::Rectangle(512, 8, 457, 111));
    EXPECT_EQ(PlaceOf(form->txtFilePath, form->z), Gdk::Rectangle(8, 80, 441, 25));
    EXPECT_EQ(PlaceOf(form->cmdCut, area), Gdk::Rectangle(512, 152, 49, 49));
    EXPECT_EQ(PlaceOf(form->Command5, area), Gdk::Rectangle(512, 472, 49, 49));
  };
  check();
  EXPECT_EQ(area.get_width(), 975);
  EXPECT_EQ(area.get_height(), 579);

  form->set_default_size(1200, 800);
  ASSERT_TRUE(PumpUntil([&] { return area.get_width() == 1200; }));
  PumpFor(std::chrono::milliseconds(100));
  check();
}

TEST_F(Form1Test, TheCoolBarStacksItsThreeBandsInRowsBehindThePathBox) {
  MakeScriptedForm();
  const auto& bands = form->z.BandPlacements();
  ASSERT_EQ(bands.size(), 3u);
  // Each band starts a row of its own and so takes the bar's whole width.
  EXPECT_FLOAT_EQ(bands[0].Top, 0);
  EXPECT_FLOAT_EQ(bands[0].Height, 675);
  EXPECT_FLOAT_EQ(bands[1].Top, 675);
  EXPECT_FLOAT_EQ(bands[1].Height, 360);
  EXPECT_FLOAT_EQ(bands[2].Top, 1035);
  EXPECT_FLOAT_EQ(bands[2].Height, 510);
  for (const auto& band : bands) EXPECT_FLOAT_EQ(band.Width, 6855);
}

TEST_F(Form1Test, ButtonsCarryTheirAccessKeysAndCutAndCopyShareC) {
  MakeScriptedForm();
  EXPECT_EQ(form->cmdCut.get_label(), "_Cut");
  EXPECT_EQ(form->cmdCopy.get_label(), "_Copy");
  EXPECT_EQ(form->Command5.get_label(), "_Forward");
  EXPECT_TRUE(form->cmdCut.get_use_underline());
  // With two controls on one key, the key moves the focus between them and presses
  // neither.
  form->cmdCut.mnemonic_activate(true);
  EXPECT_EQ(form->get_focus(), &form->cmdCut);
  form->cmdCopy.mnemonic_activate(true);
  EXPECT_EQ(form->get_focus(), &form->cmdCopy);
  EXPECT_TRUE(messages.shown.empty());
}

// Tab as the user presses it: the window's own key handling sees it first.
void PressTab(Gtk::Window& window, bool shift) {
  GListModel* controllers = gtk_widget_observe_controllers(GTK_WIDGET(window.gobj()));
  for (guint i = 0; i < g_list_model_get_n_items(controllers); ++i) {
    auto* controller = static_cast<GtkEventController*>(g_list_model_get_item(controllers, i));
    if (GTK_IS_EVENT_CONTROLLER_KEY(controller) &&
        gtk_event_controller_get_propagation_phase(controller) == GTK_PHASE_CAPTURE) {
      gboolean handled = FALSE;
      g_signal_emit_by_name(controller, "key-pressed", GDK_KEY_Tab, 0, shift ? GDK_SHIFT_MASK : 0,
                            &handled);
    }
    g_object_unref(controller);
  }
  g_object_unref(controllers);
}

bool Holds(Gtk::Widget& control, Gtk::Widget* focus) {
  return focus && (focus == &control || focus->is_ancestor(control));
}

TEST_F(Form1Test, TabVisitsTheControlsByTabIndexNotByPlaceOnScreen) {
  folder.Write("a.txt", "");
  MakeScriptedForm();
  Open(folder.Path());
  Gtk::Widget* expected[] = {&form->File1,       &form->Dir1,      &form->cmdCut,   &form->cmdCopy,
                             &form->cmdPaste,    &form->cmdDelete, &form->Command4, &form->Command5,
                             &form->txtFilePath, &form->Drive1};
  form->Drive1.grab_focus();
  ASSERT_TRUE(Holds(form->Drive1, form->get_focus()));
  for (Gtk::Widget* control : expected) {
    PressTab(*form, false);
    EXPECT_TRUE(Holds(*control, form->get_focus())) << control->get_name();
  }
  PressTab(*form, true);
  EXPECT_TRUE(Holds(form->txtFilePath, form->get_focus()));
  form->cmdPaste.set_sensitive(false);
  form->cmdCopy.grab_focus();
  PressTab(*form, false);
  EXPECT_TRUE(Holds(form->cmdDelete, form->get_focus()));
}

TEST_F(Form1Test, SelectingAFileShowsItsPathAndMovingElsewhereEmptiesTheBox) {
  folder.Write("b.txt", "");
  folder.Write("a.txt", "");
  const std::string other = folder.Folder("other");
  MakeScriptedForm();
  Open(folder.Path());
  Select("a.txt");
  EXPECT_EQ(PathBox(), folder.Path("a.txt"));
  Select("b.txt");
  EXPECT_EQ(PathBox(), folder.Path("b.txt"));

  // What the user types there changes nothing else.
  form->txtFilePath.set_text("typed");
  EXPECT_EQ(form->File1.FileName(), "b.txt");

  Open(other);
  EXPECT_EQ(form->File1.Path(), other);
  EXPECT_EQ(PathBox(), "");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, AFileInTheRootFolderGetsNoDoubledSeparator) {
  const std::string name = "tavvel-form1-test-" + std::to_string(getpid());
  const std::string path = "/" + name;
  if (!std::ofstream(path)) GTEST_SKIP() << "cannot create a file in / here";
  MakeScriptedForm();
  Open("/");
  Select(name);
  EXPECT_EQ(PathBox(), path);
  std::filesystem::remove(path);
}

TEST_F(Form1Test, AFolderThatWillNotOpenIsReportedAndTheListsStay) {
  MakeScriptedForm();
  Open(folder.Path());
  form->Dir1.signal_open_failed().emit("Permission denied");
  EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{"Permission denied", 16, "Folder Error"}}));
  EXPECT_EQ(form->Dir1.Path(), folder.Path());
  EXPECT_EQ(form->File1.Path(), folder.Path());
}

TEST_F(Form1Test, BackAndForwardWalkTheFoldersOpenedAndANewFolderDropsForward) {
  const std::string a = folder.Folder("a"), b = folder.Folder("b"), c = folder.Folder("c");
  const std::string d = folder.Folder("d");
  folder.Write("b/file.txt", "");
  MakeScriptedForm();
  const std::string start = form->Dir1.Path();
  Open(a);
  Open(b);
  Open(c);

  Click(form->Command4);
  EXPECT_EQ(form->Dir1.Path(), b);
  EXPECT_EQ(form->File1.Path(), b);
  Select("file.txt");
  Click(form->Command4);
  EXPECT_EQ(form->Dir1.Path(), a);
  EXPECT_EQ(PathBox(), "");
  Click(form->Command5);
  EXPECT_EQ(form->Dir1.Path(), b);
  Click(form->Command5);
  EXPECT_EQ(form->Dir1.Path(), c);
  Click(form->Command5);  // nothing ahead
  EXPECT_EQ(form->Dir1.Path(), c);

  Click(form->Command4);
  Click(form->Command4);
  Open(d);  // drops b and c from ahead
  Click(form->Command5);
  EXPECT_EQ(form->Dir1.Path(), d);
  Click(form->Command4);
  EXPECT_EQ(form->Dir1.Path(), a);
  Click(form->Command4);
  EXPECT_EQ(form->Dir1.Path(), start);
  Click(form->Command4);  // nothing before the start folder
  EXPECT_EQ(form->Dir1.Path(), start);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form1Test, BackToAFolderThatVanishedReportsItAndGoesOnBeyondItNextTime) {
  const std::string a = folder.Folder("a"), gone = folder.Folder("gone");
  const std::string c = folder.Folder("c");
  MakeScriptedForm();
  Open(a);
  Open(gone);
  Open(c);
  std::filesystem::remove(gone);

  Click(form->Command4);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style, 16);
  EXPECT_EQ(messages.shown[0].title, "Folder Error");
  EXPECT_FALSE(messages.shown[0].prompt.empty());
  EXPECT_EQ(form->Dir1.Path(), c);
  EXPECT_EQ(form->File1.Path(), c);

  Click(form->Command4);
  EXPECT_EQ(form->Dir1.Path(), a);
  Click(form->Command5);
  EXPECT_EQ(form->Dir1.Path(), c);
  EXPECT_EQ(messages.shown.size(), 1u);
}

// A drive that goes away while it is still listed: picking it must not move the
// folder and file lists, and a drive that is there works as before.
TEST_F(Form1Test, ADriveThatCannotBeOpenedIsReportedAndTheListsStay) {
  testing_support::TemporaryFolder mounts("/mnt");
  const std::string drive = mounts.Folder("drive");
  if (mount("tavvel-test", drive.c_str(), "ramfs", 0, nullptr) != 0)
    GTEST_SKIP() << "cannot mount a file system here: " << std::strerror(errno);
  folder.Write("a.txt", "");
  MakeScriptedForm();
  Open(folder.Path());
  Select("a.txt");
  auto listed = [&] {
    for (const auto& entry : form->Drive1.Drives())
      if (entry.mount_point == drive) return true;
    return false;
  };
  const bool shown = PumpUntil(listed, std::chrono::seconds(5));
  // Taken away before the list hears of it: still listed, no longer there.
  umount(drive.c_str());
  std::filesystem::remove(drive);
  if (!shown) GTEST_SKIP() << "the drive list does not offer mounts under /mnt";

  form->Drive1.Drive(drive);
  EXPECT_EQ(messages.shown,
            (std::vector<ShownMessage>{{"Drive not available or not ready.", 16, "Drive Error"}}));
  EXPECT_EQ(form->Drive1.Drive(), drive);
  EXPECT_EQ(form->Dir1.Path(), folder.Path());
  EXPECT_EQ(form->File1.Path(), folder.Path());
  EXPECT_EQ(PathBox(), folder.Path("a.txt"));

  form->Drive1.Drive("/");
  EXPECT_EQ(form->Dir1.Path(), "/");
  EXPECT_EQ(form->File1.Path(), "/");
  EXPECT_EQ(PathBox(), "");
  EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
