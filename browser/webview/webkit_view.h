// The web view over WebKitGTK: the window's WebView, with the engine's view as its
// widget. Start reading at the constructor, which wires every engine signal.
#pragma once

#include <memory>
#include <string>

#include "browser/web_view.h"
#include "browser/webview/save_dialog.h"
#include "common/message_box.h"

typedef struct _WebKitWebView WebKitWebView;

namespace browser {

class DownloadSaver;

class WebKitView : public WebView {
 public:
  WebKitView();
  // Tests answer the save dialog for downloads themselves, and read the message boxes
  // that report failed downloads.
  WebKitView(std::unique_ptr<SaveDialog> save_dialog, std::shared_ptr<common::MessageBox> messages);
  ~WebKitView() override;
  WebKitView(const WebKitView&) = delete;
  WebKitView& operator=(const WebKitView&) = delete;

  void Navigate(const std::string& address) override;
  void GoBack() override;
  void GoForward() override;
  void GoHome() override;
  void GoSearch() override;
  void Refresh() override;
  void RefreshBypassingCache() override;
  void Stop() override;
  double ZoomLevel() const override;
  void ZoomLevel(double level) override;

  void FindText(const std::string& text) override;
  void FindNext() override;
  void FindPrevious() override;
  void FindFinish() override;

  std::string LocationName() const override;
  std::string LocationURL() const override;
  bool Busy() const override;

  sigc::signal<void()>& signal_download_complete() override { return download_complete_; }
  sigc::signal<void()>& signal_location_changed() override { return location_changed_; }
  sigc::signal<void(int)>& signal_matches_counted() override { return matches_counted_; }
  sigc::signal<void(double)>& signal_load_progress() override { return load_progress_; }

  Gtk::Widget& widget() override { return *widget_; }

  // The engine's own view, for tests that act in the page as a user would.
  WebKitWebView* Engine() const { return view_; }

 private:
  friend struct EngineSignals;

  void Engine_LoadChanged(int load_event);
  void Engine_TitleChanged();
  void Engine_AddressChanged();
  void Engine_NavigationRequested(const std::string& address);
  void Engine_WebProcessTerminated();
  void Engine_LoadProgressChanged();
  void Engine_MatchesCounted(unsigned count);
  void Downloads_Ended();
  void ReportLocationIfChanged();

  WebKitWebView* view_;
  Gtk::Widget* widget_;
  std::unique_ptr<DownloadSaver> downloads_;
  std::string reported_address_;
  // The address of the last navigation the engine was asked to make, and whether the
  // page shown has already had one change of address by script reported.
  std::string requested_address_;
  bool script_address_reported_ = false;
  bool showing_crash_page_ = false;
  // Between the start of a load of the page and its end.
  bool reporting_progress_ = false;
  sigc::signal<void()> download_complete_;
  sigc::signal<void()> location_changed_;
  sigc::signal<void(int)> matches_counted_;
  sigc::signal<void(double)> load_progress_;
};

}  // namespace browser
