// korvo's About dialog: the emblem, the name "Korvo", the version "0.1.0", a description
// and a picture, with "OK" (Enter and Esc) and "&System Info...", which starts the
// system information tool. The program has one instance of it (ShowAbout). Closing it
// unloads it: the window is destroyed and its controls are dropped; showing it again
// loads a window and controls anew with their design content.
#pragma once

#include <gtkmm/application.h>
#include <gtkmm/button.h>
#include <gtkmm/headerbar.h>
#include <gtkmm/label.h>
#include <gtkmm/picture.h>
#include <gtkmm/window.h>

#include <array>
#include <memory>
#include <string>

#include "browser/about/line_control.h"
#include "browser/about/sysinfo_launcher.h"
#include "common/client_area.h"

namespace browser {

class frmAbout : public sigc::trackable {
 public:
  // The window and its controls with their design-time content, which live while the
  // dialog is loaded.
  struct Design {
    Design();
    // Declared first so that it goes last, after what it holds.
    Gtk::Window window;
    Gtk::HeaderBar titlebar;
    common::Control<Gtk::Picture> picIcon;
    common::Control<Gtk::Button> cmdOK;
    common::Control<Gtk::Button> cmdSysInfo;
    common::Control<Gtk::Label> Label1;
    common::Control<Gtk::Picture> Image1;
    std::array<LineControl, 2> Line1;
    common::Control<Gtk::Label> lblTitle;
    common::Control<Gtk::Label> lblVersion;
    // Declared last so that it goes first, releasing the controls it places.
    common::ClientArea client;
  };

  // The launcher's world: where the registry, the file search, program start and the
  // message box of "&System Info..." come from.
  explicit frmAbout(SysInfoLauncher::Platform platform);
  ~frmAbout();

  // Loads the dialog if it is unloaded and shows it modeless, without an owner. While
  // it is loaded, app (if any) counts it among its windows and keeps running.
  void Show(const Glib::RefPtr<Gtk::Application>& app);
  // Destroys the window and drops its controls; the object stays for the next Show.
  void Unload();
  bool Loaded() const { return design_ != nullptr; }
  // The window and controls while loaded, else null.
  Design* Controls() { return design_.get(); }
  Gtk::Window* Window() { return design_ ? &design_->window : nullptr; }

  void StartSysInfo();
  bool GetKeyValue(const registry::HKey& KeyRoot, std::string& KeyName, std::string& SubKeyRef,
                   std::string& KeyVal);

 private:
  void Load();
  void ReleaseUnloaded();
  void connect_signals();
  void cmdOK_Click();
  void cmdSysInfo_Click();
  // Closing the window by the window manager's means unloads it as "OK" does.
  bool window_CloseRequest();

  SysInfoLauncher launcher_;
  std::unique_ptr<Design> design_;
  // A window and controls just unloaded: "OK" unloads while its own click is running,
  // so their objects go once the event is over.
  std::unique_ptr<Design> unloaded_;
};

// Help_Click's part: creates the program's one About dialog the first time and shows
// it, with the real registry, file search, program start and message box.
void ShowAbout(const Glib::RefPtr<Gtk::Application>& app);

// The program's About dialog, or null before the first ShowAbout.
frmAbout* SharedAbout();

}  // namespace browser
