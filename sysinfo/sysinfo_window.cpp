// The system information window (see sysinfo_window.h).
#include "sysinfo/sysinfo_window.h"

#include <sys/resource.h>
#include <unistd.h>

#include <gdkmm/clipboard.h>
#include <gdkmm/frameclock.h>
#include <gdkmm/monitor.h>
#include <gtk/gtk.h>

#include <string_view>

#include "common/accessible.h"
#include "sysinfo/report.h"

namespace sysinfo {

namespace {

// GDK names its display classes after the server: GdkX11Display, GdkWaylandDisplay.
std::string ServerName(const Glib::RefPtr<Gdk::Display>& display) {
  const std::string_view type = G_OBJECT_TYPE_NAME(display->gobj());
  for (const char* server : {"X11", "Wayland", "Broadway", "Win32", "Macos"})
    if (type.find(server) != std::string_view::npos) return server;
  return std::string(type);
}

}  // namespace

void AddToolkitFacts(SystemFacts& facts, const Glib::RefPtr<Gdk::Display>& display) {
  facts.gtk_version = std::to_string(gtk_get_major_version()) + "." +
                      std::to_string(gtk_get_minor_version()) + "." +
                      std::to_string(gtk_get_micro_version());
  if (!display) return;
  facts.display_server = ServerName(display);
  auto monitors = display->get_monitors();
  if (monitors->get_n_items() == 0) return;
  auto monitor = std::dynamic_pointer_cast<Gdk::Monitor>(monitors->get_object(0));
  if (!monitor) return;
  Gdk::Rectangle geometry;
  monitor->get_geometry(geometry);
  facts.screen_width = geometry.get_width();
  facts.screen_height = geometry.get_height();
}

SysInfoWindow::SysInfoWindow(SystemFacts facts)
    : cmdCopy("_Copy Report", true), layout_(Gtk::Orientation::VERTICAL), facts_(std::move(facts)) {
  set_title("System Information");
  set_default_size(640, 480);
  AddToolkitFacts(facts_, get_display());

  txtReport.set_editable(false);
  txtReport.set_cursor_visible(false);
  txtReport.set_monospace(true);
  txtReport.set_left_margin(8);
  txtReport.set_top_margin(8);
  ShowReport();
  scroller_.set_child(txtReport);
  scroller_.set_expand(true);
  cmdCopy.set_halign(Gtk::Align::END);
  cmdCopy.set_margin(8);
  layout_.append(scroller_);
  layout_.append(cmdCopy);
  set_child(layout_);
  common::SetAccessibleName(txtReport, "System information report");
  common::SetAccessibleName(cmdCopy, "Copy Report");
  common::SetAccessibleName(scroller_, "Report");
  connect_signals();
}

SysInfoWindow::~SysInfoWindow() {
  if (webkit_lookup_.joinable()) webkit_lookup_.join();
}

void SysInfoWindow::connect_signals() {
  cmdCopy.signal_clicked().connect(sigc::mem_fun(*this, &SysInfoWindow::cmdCopy_Click));
  signal_map().connect(sigc::mem_fun(*this, &SysInfoWindow::Window_Map));
  webkit_lookup_done_.connect(sigc::mem_fun(*this, &SysInfoWindow::WebKitLookup_Done));
}

void SysInfoWindow::cmdCopy_Click() { get_clipboard()->set_text(report_); }

void SysInfoWindow::Window_Map() {
  if (!facts_.webkit_version.empty() || webkit_lookup_started_) return;
  webkit_lookup_started_ = true;
  first_paint_ = get_frame_clock()->signal_paint().connect(
      sigc::mem_fun(*this, &SysInfoWindow::Window_FirstPaint));
}

void SysInfoWindow::Window_FirstPaint() {
  // Loading WebKit takes from tens to hundreds of milliseconds of a core: on a thread
  // of its own at the lowest priority, once the window is drawn, it delays neither.
  first_paint_.disconnect();
  webkit_lookup_ = std::thread([this] {
    setpriority(PRIO_PROCESS, gettid(), 19);
    found_webkit_version_ = InstalledWebKitVersion();
    webkit_lookup_done_.emit();
  });
}

void SysInfoWindow::WebKitLookup_Done() {
  webkit_lookup_.join();
  facts_.webkit_version = found_webkit_version_;
  ShowReport();
}

void SysInfoWindow::ShowReport() {
  report_ = ReportText(facts_);
  txtReport.get_buffer()->set_text(report_);
}

}  // namespace sysinfo
