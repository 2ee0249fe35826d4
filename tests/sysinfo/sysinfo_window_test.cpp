// The system information window: its title, the report it shows, and the copy of the
// whole report to the clipboard.
#include "sysinfo/sysinfo_window.h"

#include <gdkmm/clipboard.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/ui.h"

namespace {

using testing_support::PumpUntil;

TEST(SysInfoWindow, ShowsTheReportWithTheDisplaysFactsAndCopiesItWhole) {
  sysinfo::SystemFacts facts;
  facts.host_name = "crow";
  sysinfo::SysInfoWindow window(facts);
  window.present();
  ASSERT_TRUE(PumpUntil([&] { return window.get_mapped(); }));

  EXPECT_EQ(window.get_title(), "System Information");
  EXPECT_EQ(std::string(window.txtReport.get_buffer()->get_text()), window.Report());
  EXPECT_FALSE(window.txtReport.get_editable());
  EXPECT_NE(window.Report().find("Host name          crow\n"), std::string::npos);
  EXPECT_NE(window.Report().find("Display server     X11\n"), std::string::npos);
  EXPECT_THAT(window.Report(),
              testing::ContainsRegex("Screen size        [1-9][0-9]* x [1-9][0-9]* pixels\n"));
  EXPECT_EQ(window.Report().find("GTK version        unknown"), std::string::npos);
  // The version of the WebKitGTK installed, here the one the tests were built with,
  // arrives once the window shows.
  EXPECT_TRUE(PumpUntil([&] {
    return window.Report().find("WebKitGTK version  " WEBKIT_VERSION "\n") != std::string::npos;
  })) << window.Report();
  EXPECT_EQ(std::string(window.txtReport.get_buffer()->get_text()), window.Report());

  window.get_clipboard()->set_text("something else");
  window.cmdCopy.activate();
  std::string copied;
  bool reading = false;
  // The button reacts once its press is over; read the clipboard until it holds the report.
  EXPECT_TRUE(PumpUntil([&] {
    if (!reading) {
      reading = true;
      window.get_clipboard()->read_text_async([&](const Glib::RefPtr<Gio::AsyncResult>& result) {
        copied = window.get_clipboard()->read_text_finish(result);
        reading = false;
      });
    }
    return copied == window.Report();
  }));
  PumpUntil([&] { return !reading; });
}

}  // namespace
