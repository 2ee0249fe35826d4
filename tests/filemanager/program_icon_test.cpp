// The program's icon reaches the icon theme at both of its sizes.
#include "filemanager/program_icon.h"

#include <gtest/gtest.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/window.h>

namespace {

TEST(ProgramIcon, IsInTheIconThemeAt16And32PixelsAndServesWindowsWithoutTheirOwn) {
  filemanager::InstallProgramIcon();
  auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  ASSERT_TRUE(theme->has_icon(filemanager::kProgramIconName));
  for (int size : {16, 32}) {
    auto icon = theme->lookup_icon(filemanager::kProgramIconName, size);
    ASSERT_TRUE(icon);
    auto file = icon->get_file();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->get_uri(), "resource:///org/korvo/tavvel/icons/" + std::to_string(size) + "x" +
                                   std::to_string(size) + "/apps/tavvel.png");
  }
  EXPECT_EQ(Gtk::Window::get_default_icon_name(), filemanager::kProgramIconName);
}

}  // namespace
