// The system information tool's one window: the report on this machine, and a button
// that copies it whole to the clipboard as text.
#pragma once

#include <gdkmm/display.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <string>

#include "sysinfo/facts.h"

namespace sysinfo {

// Fills in what the toolkit knows: the display server, the first monitor's size and
// the GTK version in use.
void AddToolkitFacts(SystemFacts& facts, const Glib::RefPtr<Gdk::Display>& display);

class SysInfoWindow : public Gtk::Window {
 public:
  // Shows facts, completed with the toolkit's own.
  explicit SysInfoWindow(SystemFacts facts);

  // The report as shown and as copied.
  const std::string& Report() const { return report_; }

  Gtk::TextView txtReport;
  Gtk::Button cmdCopy;

 private:
  void connect_signals();
  void cmdCopy_Click();

  Gtk::Box layout_;
  Gtk::ScrolledWindow scroller_;
  std::string report_;
};

}  // namespace sysinfo
