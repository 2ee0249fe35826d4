// The system information tool's one window: the report on this machine, and a button
// that copies it whole to the clipboard as text.
#pragma once

#include <gdkmm/display.h>
#include <glibmm/dispatcher.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

#include <string>
#include <thread>

#include "sysinfo/facts.h"

namespace sysinfo {

// Fills in what the toolkit knows: the display server, the first monitor's size and
// the GTK version in use.
void AddToolkitFacts(SystemFacts& facts, const Glib::RefPtr<Gdk::Display>& display);

class SysInfoWindow : public Gtk::Window {
 public:
  // Shows facts, completed with the toolkit's own. Without a WebKitGTK version, the
  // window looks up the installed library's once it shows, and shows the report again.
  explicit SysInfoWindow(SystemFacts facts);
  ~SysInfoWindow() override;

  // The report as shown and as copied.
  const std::string& Report() const { return report_; }

  Gtk::TextView txtReport;
  Gtk::Button cmdCopy;

 private:
  void connect_signals();
  void cmdCopy_Click();
  void Window_Map();
  void Window_FirstPaint();
  void WebKitLookup_Done();
  void ShowReport();

  Gtk::Box layout_;
  Gtk::ScrolledWindow scroller_;
  SystemFacts facts_;
  std::string report_;
  // The lookup's thread writes the version, then wakes the window through the dispatcher.
  bool webkit_lookup_started_ = false;
  sigc::connection first_paint_;
  std::string found_webkit_version_;
  Glib::Dispatcher webkit_lookup_done_;
  std::thread webkit_lookup_;
};

}  // namespace sysinfo
