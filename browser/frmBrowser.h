// frmBrowser, the main window of korvo and its start-up window: a menu bar, the
// toolbar, the address strip and the page area around the web view it hosts.
// Its handlers are in frmBrowser.cpp (start-up and layout) and frmBrowser_navigation.cpp
// (address box, window title, busy poll and toolbar commands), its keys in
// frmBrowser_keys.cpp, and finding in the page in frmBrowser_find.cpp.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>

#include "browser/combo_box.h"
#include "browser/find_bar.h"
#include "browser/image_list.h"
#include "browser/menu_bar.h"
#include "browser/tab_order_window.h"
#include "browser/tool_bar.h"
#include "browser/web_view.h"
#include "common/client_area.h"
#include "common/timer.h"

namespace browser {

// The page area: the hosted web view, placed in the window like any other control.
class WebViewControl : public common::Placed {
 public:
  explicit WebViewControl(std::unique_ptr<WebView> view) : view_(std::move(view)) {}
  WebView* operator->() const { return view_.get(); }
  Gtk::Widget& AsWidget() override { return view_->widget(); }

 private:
  std::unique_ptr<WebView> view_;
};

class frmBrowser : public TabOrderWindow {
 public:
  explicit frmBrowser(std::unique_ptr<WebView> view);
  ~frmBrowser() override;

  // The address Load opens; empty opens none. Set it before calling Load.
  std::string StartingAddress;

  // Raises the window's Load event: shows the window, lays it out and opens
  // StartingAddress. Runs once; later calls do nothing.
  void Load();

  // The controls are public, as a form's controls are to the rest of the program.
  // Each container comes after what it holds, so that it lets go of them first.
  ImageList imlIcons;
  common::Control<ToolBar> tbToolBar;
  WebViewControl brwWebBrowser;
  common::Timer timTimer{5};
  common::Control<ComboBox> cboAddress;
  common::Control<Gtk::Image> Image1;
  common::Control<Gtk::Label> lblAddress;
  common::Control<common::ClientArea> picAddress;
  // Not of the design: shown only when the user asks to find text in the page.
  common::Control<FindBar> fbFind{WebView::kMostMatchesCounted};
  MenuCommand File;
  MenuCommand Edit;
  MenuCommand View;
  MenuCommand Help;

 private:
  void connect_signals();
  // The one place the window title is written.
  void Caption(const std::string& text);

  void Form_Load();
  void Form_Resize();
  bool Form_KeyDown(guint keyval, guint keycode, Gdk::ModifierType state);
  // The keys' own pieces (frmBrowser_keys.cpp).
  void FocusAddress();
  bool TextHasFocus();
  void RefreshBypassingCache_Click();
  // One zoom step larger (1), smaller (-1), or back to the page's own size (0).
  void Zoom(int direction);
  void Help_Click(short Index);
  void cboAddress_Click();
  void cboAddress_KeyPress(short& KeyAscii);
  void brwWebBrowser_DownloadComplete();
  void timTimer_Timer();
  void UpdateAddressHistory(std::string Address);
  void tbToolBar_ButtonClick(const std::string& Key);
  void brwWebBrowser_ProgressChange(double Progress);
  // Finding in the page (frmBrowser_find.cpp).
  void OpenFindBar();
  void FitPageBelowFindBar();
  void fbFind_Change(const std::string& Text);
  void fbFind_Next();
  void fbFind_Previous();
  void fbFind_Close();
  void brwWebBrowser_MatchesCounted(int Count);

  bool SuppressNavigation = false;
  bool loaded_ = false;
  MenuBar menu_bar_;
  common::ClientArea client_;
  Gtk::Box frame_{Gtk::Orientation::VERTICAL};
  sigc::connection download_complete_;
  sigc::connection location_changed_;
  sigc::connection load_progress_;
  sigc::connection matches_counted_;
};

}  // namespace browser
