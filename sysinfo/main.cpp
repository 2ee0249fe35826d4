// korvo-sysinfo, the system information tool that korvo's About dialog starts: one
// window with a report on this machine. Start reading at facts.h.
#include <glibmm/miscutils.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/application.h"
#include "common/version.h"
#include "sysinfo/facts.h"
#include "sysinfo/sysinfo_window.h"

int main(int argc, char** argv) {
  Glib::set_application_name("System Information");
  std::unique_ptr<sysinfo::SysInfoWindow> window;
  const common::CommandLine command_line{"korvo-sysinfo", "", "Shows a report on this machine.",
                                         [](const std::vector<std::string>& words) {
                                           if (words.empty()) return -1;
                                           std::cerr << "korvo-sysinfo: takes no arguments\n";
                                           return 1;
                                         }};
  const auto open_window = [&window](Gtk::Application& app) {
    sysinfo::SystemFacts facts = sysinfo::ReadSystemFacts();
    facts.korvo_version = common::kVersion;
    window = std::make_unique<sysinfo::SysInfoWindow>(std::move(facts));
    app.add_window(*window);
    window->present();
  };
  return common::RunApplication("org.korvo.SysInfo", argc, argv, command_line, open_window);
}
