// A real WebKit view in a window, a loopback server for its pages, and a record of
// what the view announced and the message boxes it showed, for the web view's UI tests.
#pragma once

#include <gtest/gtest.h>
#include <gtkmm/window.h>
#include <webkit/webkit.h>

#include <chrono>
#include <string>
#include <vector>

#include "browser/webview/webkit_view.h"
#include "support/http_server.h"
#include "support/ui.h"

namespace testing_support {

class WebKitViewTest : public testing::Test {
 protected:
  explicit WebKitViewTest(std::unique_ptr<browser::SaveDialog> save_dialog =
                              std::make_unique<browser::NativeSaveDialog>())
      : view_(std::move(save_dialog), messages_) {
    view_.signal_download_complete().connect(
        [this] { names_at_download_complete_.push_back(view_.LocationName()); });
    view_.signal_location_changed().connect(
        [this] { addresses_at_location_changed_.push_back(view_.LocationURL()); });
    window_.set_default_size(480, 360);
    window_.set_child(view_.widget());
    window_.present();
  }

  ~WebKitViewTest() override { window_.unset_child(); }

  // Waits until the view is idle showing the page named name.
  testing::AssertionResult ShowsPage(const std::string& name) {
    if (PumpUntil([&] { return !view_.Busy() && view_.LocationName() == name; }))
      return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "busy " << view_.Busy() << ", named \"" << view_.LocationName() << "\", at "
           << view_.LocationURL() << ", server asked " << server_.RequestCount("/a")
           << " times for /a";
  }

  bool Idle() {
    return PumpUntil([&] { return !view_.Busy(); });
  }

  // Runs script in the page, as a user's action there would.
  void RunScript(const std::string& script) {
    webkit_web_view_evaluate_javascript(view_.Engine(), script.c_str(), -1, nullptr, nullptr,
                                        nullptr, nullptr, nullptr);
  }

  HttpServer server_;
  // The message boxes the view showed.
  std::shared_ptr<ScriptedMessageBox> messages_ = std::make_shared<ScriptedMessageBox>();
  browser::WebKitView view_;
  Gtk::Window window_;
  std::vector<std::string> names_at_download_complete_;
  std::vector<std::string> addresses_at_location_changed_;
};

}  // namespace testing_support
