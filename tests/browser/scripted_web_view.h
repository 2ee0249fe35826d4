// A web view whose answers the test scripts: it records the commands the window gives,
// fails the ones the test names, and raises its notifications when the test says so.
#pragma once

#include <gtkmm/drawingarea.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "browser/web_view.h"
#include "common/errors.h"

namespace testing_support {

class ScriptedWebView : public browser::WebView {
 public:
  // Like a real page area, the page takes the focus.
  ScriptedWebView() { page_.set_focusable(true); }

  // Commands as given, also those that then failed: "Navigate(example.org)", "GoBack".
  std::vector<std::string> calls;
  // Names of commands and properties that throw ("Navigate", "Busy", "LocationName"...).
  std::set<std::string> failing;
  std::string name;
  std::string url;
  bool busy = false;
  // Runs on every read of LocationURL, with the number of reads so far.
  std::function<void(int)> on_location_url_read;
  mutable int location_url_reads = 0;
  mutable int busy_reads = 0;

  void Navigate(const std::string& address) override { Run("Navigate", "(" + address + ")"); }
  void GoBack() override { Run("GoBack"); }
  void GoForward() override { Run("GoForward"); }
  void GoHome() override { Run("GoHome"); }
  void GoSearch() override { Run("GoSearch"); }
  void Refresh() override { Run("Refresh"); }
  void RefreshBypassingCache() override { Run("RefreshBypassingCache"); }
  void Stop() override { Run("Stop"); }
  double ZoomLevel() const override { return zoom; }
  void ZoomLevel(double level) override {
    Run("ZoomLevel", "(" + std::to_string(level).substr(0, 4) + ")");
    zoom = level;
  }
  double zoom = 1.0;
  void FindText(const std::string& text) override { Run("FindText", "(" + text + ")"); }
  void FindNext() override { Run("FindNext"); }
  void FindPrevious() override { Run("FindPrevious"); }
  void FindFinish() override { Run("FindFinish"); }

  std::string LocationName() const override {
    Check("LocationName");
    return name;
  }
  std::string LocationURL() const override {
    ++location_url_reads;
    if (on_location_url_read) on_location_url_read(location_url_reads);
    Check("LocationURL");
    return url;
  }
  bool Busy() const override {
    ++busy_reads;
    Check("Busy");
    return busy;
  }

  sigc::signal<void()>& signal_download_complete() override { return download_complete_; }
  sigc::signal<void()>& signal_location_changed() override { return location_changed_; }
  sigc::signal<void(int)>& signal_matches_counted() override { return matches_counted_; }
  sigc::signal<void(double)>& signal_load_progress() override { return load_progress_; }
  Gtk::Widget& widget() override { return page_; }

 private:
  void Check(const std::string& what) const {
    if (failing.count(what)) throw common::Error(what + " failed");
  }
  void Run(const std::string& command, const std::string& argument = "") {
    calls.push_back(command + argument);
    Check(command);
  }

  sigc::signal<void()> download_complete_;
  sigc::signal<void()> location_changed_;
  sigc::signal<void(int)> matches_counted_;
  sigc::signal<void(double)> load_progress_;
  Gtk::DrawingArea page_;
};

}  // namespace testing_support
