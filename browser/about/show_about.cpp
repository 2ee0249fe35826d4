// The program's one About dialog and the real world it starts the tool in.
#include <memory>

#include "browser/about/frmAbout.h"
#include "browser/about/hive_registry.h"
#include "common/gtk_message_box.h"

namespace browser {

namespace {

struct RealPlatform {
  registry::HiveRegistry registry{registry::HiveRegistry::FolderOfThisProgram()};
  DiskFileSearch file_search;
  SpawnProgramStart program_start;
  common::GtkMessageBox message_box{"Korvo Browser"};
};

std::unique_ptr<RealPlatform> platform;
// Set on first use and never cleared: closing the dialog only unloads it.
std::unique_ptr<frmAbout> shared_about;

}  // namespace

void ShowAbout(const Glib::RefPtr<Gtk::Application>& app) {
  if (!shared_about) {
    platform = std::make_unique<RealPlatform>();
    shared_about = std::make_unique<frmAbout>(SysInfoLauncher::Platform{
        platform->registry, platform->file_search, platform->program_start, platform->message_box});
    // "&System Info..." reports from the About dialog, so its box belongs to that window.
    platform->message_box.SetOwner([] { return shared_about->Window(); });
  }
  shared_about->Show(app);
}

frmAbout* SharedAbout() { return shared_about.get(); }

}  // namespace browser
