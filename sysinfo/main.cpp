// korvo-sysinfo, the system information tool that korvo's About dialog starts: one
// window with a report on this machine. Start reading at facts.h.
#include <glibmm/miscutils.h>

#include <memory>

#include "common/application.h"
#include "sysinfo/facts.h"
#include "sysinfo/sysinfo_window.h"

int main() {
  Glib::set_application_name("System Information");
  std::unique_ptr<sysinfo::SysInfoWindow> window;
  return common::RunApplication("org.korvo.SysInfo", [&window](Gtk::Application& app) {
    sysinfo::SystemFacts facts = sysinfo::ReadSystemFacts();
    facts.korvo_version = KORVO_VERSION;
    window = std::make_unique<sysinfo::SysInfoWindow>(std::move(facts));
    app.add_window(*window);
    window->present();
  });
}
