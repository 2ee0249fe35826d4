#include "common/gtk_message_box.h"

#include <glibmm/main.h>
#include <gtest/gtest.h>

namespace {

// Answers the box once it is on screen, checking what it shows first.
int ShowAndAnswer(common::GtkMessageBox& box, const std::string& prompt, int style,
                  const std::string& title, Gtk::ResponseType response, std::string& shown_title) {
  Glib::signal_timeout().connect(
      [&] {
        Gtk::MessageDialog* dialog = box.Current();
        if (!dialog || !dialog->get_mapped()) return true;
        shown_title = dialog->get_title();
        dialog->response(response);
        return false;
      },
      10);
  return box.Show(prompt, style, title);
}

TEST(GtkMessageBox, ShowsTheTitleOrTheApplicationTitleAndReturnsTheButton) {
  common::GtkMessageBox box("Korvo Browser");
  std::string title;
  EXPECT_EQ(ShowAndAnswer(box, "System Information Is Unavailable At This Time", 0, "",
                          Gtk::ResponseType::OK, title),
            common::kOk);
  EXPECT_EQ(title, "Korvo Browser");

  EXPECT_EQ(ShowAndAnswer(box, "Delete?", common::kQuestion | common::kYesNo, "Confirm Delete",
                          Gtk::ResponseType::YES, title),
            common::kYes);
  EXPECT_EQ(title, "Confirm Delete");

  EXPECT_EQ(ShowAndAnswer(box, "Delete?", common::kQuestion | common::kYesNo, "Confirm Delete",
                          Gtk::ResponseType::DELETE_EVENT, title),
            common::kNo);
  EXPECT_EQ(box.Current(), nullptr);
}

}  // namespace
