// korvo, the web browser. To understand it, start here: the program creates its
// window, frmBrowser, around the WebKit view and raises the window's Load event; each
// address on the command line is the StartingAddress of a window of its own.
#include <glibmm/miscutils.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/app_title.h"
#include "browser/frmBrowser.h"
#include "browser/webview/webkit_view.h"
#include "common/application.h"

int main(int argc, char** argv) {
  Glib::set_application_name(browser::kApplicationTitle);
  std::vector<std::string> addresses;
  std::vector<std::unique_ptr<browser::frmBrowser>> forms;
  const common::CommandLine command_line{
      "korvo", "[ADDRESS…]", "Opens a browser window on each ADDRESS, or one with no page.",
      [&addresses](const std::vector<std::string>& words) {
        addresses = words;
        return -1;
      }};
  const auto open_windows = [&](Gtk::Application& app) {
    if (addresses.empty()) addresses.emplace_back();
    for (const std::string& address : addresses) {
      forms.push_back(
          std::make_unique<browser::frmBrowser>(std::make_unique<browser::WebKitView>()));
      forms.back()->StartingAddress = address;
      app.add_window(*forms.back());
      forms.back()->Load();
    }
  };
  return common::RunApplication("org.korvo.Browser", argc, argv, command_line, open_windows);
}
