// korvo as its program starts it, but opening the address given on the command line
// through the window's StartingAddress, for the benchmark: korvo itself reads no
// command line.
#include <glibmm/miscutils.h>

#include <memory>
#include <string>

#include "browser/app_title.h"
#include "browser/frmBrowser.h"
#include "browser/webview/webkit_view.h"
#include "common/application.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string address = argv[1];
  Glib::set_application_name(browser::kApplicationTitle);
  std::unique_ptr<browser::frmBrowser> form;
  return common::RunApplication("org.korvo.Browser", [&form, &address](Gtk::Application& app) {
    form = std::make_unique<browser::frmBrowser>(std::make_unique<browser::WebKitView>());
    app.add_window(*form);
    form->StartingAddress = address;
    form->Load();
  });
}
