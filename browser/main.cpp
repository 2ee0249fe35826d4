// korvo, the web browser. To understand it, start here: the program creates its one
// window, frmBrowser, around the WebKit view and raises the window's Load event.
#include <glibmm/miscutils.h>

#include <memory>

#include "browser/app_title.h"
#include "browser/frmBrowser.h"
#include "browser/webview/webkit_view.h"
#include "common/application.h"

int main() {
  Glib::set_application_name(browser::kApplicationTitle);
  std::unique_ptr<browser::frmBrowser> form;
  return common::RunApplication("org.korvo.Browser", [&form](Gtk::Application& app) {
    form = std::make_unique<browser::frmBrowser>(std::make_unique<browser::WebKitView>());
    app.add_window(*form);
    form->Load();
  });
}
