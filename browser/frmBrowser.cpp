// frmBrowser's construction and layout: its controls at their design placements, the
// menu bar, the wiring of every event, and the handlers Form_Load, Form_Resize and
// Help_Click.
#include "browser/frmBrowser.h"

#include <gtk/gtk.h>
#include <gtkmm/eventcontrollerkey.h>

#include "browser/about/frmAbout.h"
#include "browser/about/window_frame.h"
#include "browser/captions.h"
#include "common/accessible.h"
#include "common/errors.h"

namespace browser {

namespace {

// The design size of the client area, of the toolbar and of the address strip, in twips.
constexpr float kClientWidth = 7335;
constexpr float kClientHeight = 7050;
constexpr float kToolbarHeight = 750;
constexpr float kStripHeight = 675;
// Where the client area opens on the screen.
constexpr float kClientLeft = 3060;
constexpr float kClientTop = 3630;

}  // namespace

frmBrowser::frmBrowser(std::unique_ptr<WebView> view)
    : Glib::ObjectBase("frmBrowser"),
      imlIcons({art::kBack, art::kForward, art::kStop, art::kRefresh, art::kHome, art::kSearch}),
      tbToolBar(imlIcons),
      brwWebBrowser(std::move(view)),
      picAddress(kClientWidth, kStripHeight),
      File("&File", 1),
      Edit("&Edit", 2),
      View("&View", 3),
      Help("&Info", 4),
      client_(kClientWidth, kClientHeight) {
  art::RegisterIcons();
  set_title("- Korvo");
  set_icon_name(art::kEmblemIconName);
  set_resizable(true);

  using ButtonStyle = ToolBar::ButtonStyle;
  tbToolBar.AddButton({"Back", "Back", "Back", 1, ButtonStyle::DropDown});
  tbToolBar.AddButton({"Forward", "Forward", "Forward", 2, ButtonStyle::DropDown});
  tbToolBar.AddButton({"Stop", "Stop", "Stop", 3, ButtonStyle::Default});
  tbToolBar.AddButton({"Refresh", "Reload", "Refresh", 4, ButtonStyle::Default});
  tbToolBar.AddButton({"Home", "Home", "Home", 5, ButtonStyle::Default});
  tbToolBar.AddButton({"Search", "Search", "Search", 6, ButtonStyle::Default});
  common::SetAccessibleName(tbToolBar, "Toolbar");

  common::SetAccessibleName(brwWebBrowser.AsWidget(), "Page");

  picAddress.add_css_class("address-strip");
  common::SetAccessibleName(picAddress, "Address strip");
  Image1.set(Gdk::Texture::create_from_resource(art::kEmblem));
  Image1.set_pixel_size(32);
  common::SetAccessibleName(Image1, "Korvo");
  lblAddress.set_text_with_mnemonic(MnemonicCaption("&Address:"));
  lblAddress.set_xalign(0);
  lblAddress.set_mnemonic_widget(cboAddress.FocusTarget());
  // Named after the mnemonic is set, so that the box's name is "Address" alone.
  cboAddress.AccessibleName("Address");
  common::SetAccessibleName(lblAddress, PlainCaption("&Address:"));

  client_.AddDockedTop(tbToolBar, {0, 0, kClientWidth, kToolbarHeight});
  client_.Add(brwWebBrowser, {45, 1455, 5400, 3495});
  client_.AddDockedTop(picAddress, {0, kToolbarHeight, kClientWidth, kStripHeight});
  // Hidden until opened; it then lies over the top of the page area (OpenFindBar).
  client_.AddDockedTop(fbFind, {0, 1455, kClientWidth, 0});
  // The widened address box reaches under the emblem's corner; an image lies beneath
  // the other controls, so it goes in first and the box is drawn over it.
  picAddress.Add(Image1, {6720, 0, 540, 540});
  picAddress.Add(cboAddress, {45, 300, 3795, 315});
  picAddress.Add(lblAddress, {45, 60, 3075, 255});

  for (MenuCommand* command : {&File, &Edit, &View, &Help}) menu_bar_.Append(*command);
  common::SetAccessibleName(menu_bar_, "Menu bar");
  client_.set_vexpand(true);
  frame_.append(menu_bar_);
  frame_.append(client_);
  set_child(frame_);
  // The stored position is the client area's, which lies below the menu bar.
  PlaceOffTaskbar(*this, menu_bar_, common::TwipsToPixels(kClientLeft),
                  common::TwipsToPixels(kClientTop));
  // The page comes first in the tab order, so it has the focus when the window opens.
  // The label takes no focus and the address strip only holds controls. The find bar,
  // below the strip, is a stop only while it is shown.
  Gtk::Widget& page = brwWebBrowser.AsWidget();
  TabOrder({{&page, &page}, {&fbFind}, {&cboAddress, &cboAddress.FocusTarget()}, {&tbToolBar}});
  set_focus(brwWebBrowser.AsWidget());
  connect_signals();
}

frmBrowser::~frmBrowser() {
  // The view goes after the controls its notifications touch.
  download_complete_.disconnect();
  location_changed_.disconnect();
  load_progress_.disconnect();
  matches_counted_.disconnect();
}

void frmBrowser::connect_signals() {
  client_.signal_resize().connect(sigc::mem_fun(*this, &frmBrowser::Form_Resize));
  // After Form_Resize, which sizes the page area.
  client_.signal_resize().connect(sigc::mem_fun(*this, &frmBrowser::FitPageBelowFindBar));
  auto keys = Gtk::EventControllerKey::create();
  // Ahead of the page, which would take the key for itself.
  keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  keys->signal_key_pressed().connect(sigc::mem_fun(*this, &frmBrowser::Form_KeyDown), false);
  add_controller(keys);
  Help.signal_click().connect(sigc::mem_fun(*this, &frmBrowser::Help_Click));
  // "&File", "&Edit" and "&View" run nothing.
  cboAddress.signal_click().connect(sigc::mem_fun(*this, &frmBrowser::cboAddress_Click));
  cboAddress.signal_key_press().connect(sigc::mem_fun(*this, &frmBrowser::cboAddress_KeyPress));
  download_complete_ = brwWebBrowser->signal_download_complete().connect(
      sigc::mem_fun(*this, &frmBrowser::brwWebBrowser_DownloadComplete));
  // The address list follows every address the view shows; the text handed over is
  // not read.
  location_changed_ = brwWebBrowser->signal_location_changed().connect(
      sigc::bind(sigc::mem_fun(*this, &frmBrowser::UpdateAddressHistory), std::string()));
  load_progress_ = brwWebBrowser->signal_load_progress().connect(
      sigc::mem_fun(*this, &frmBrowser::brwWebBrowser_ProgressChange));
  matches_counted_ = brwWebBrowser->signal_matches_counted().connect(
      sigc::mem_fun(*this, &frmBrowser::brwWebBrowser_MatchesCounted));
  fbFind.signal_change().connect(sigc::mem_fun(*this, &frmBrowser::fbFind_Change));
  fbFind.signal_next().connect(sigc::mem_fun(*this, &frmBrowser::fbFind_Next));
  fbFind.signal_previous().connect(sigc::mem_fun(*this, &frmBrowser::fbFind_Previous));
  fbFind.signal_close().connect(sigc::mem_fun(*this, &frmBrowser::fbFind_Close));
  timTimer.signal_timer().connect(sigc::mem_fun(*this, &frmBrowser::timTimer_Timer));
  tbToolBar.signal_button_click().connect(sigc::mem_fun(*this, &frmBrowser::tbToolBar_ButtonClick));
}

void frmBrowser::Caption(const std::string& text) {
  // The busy poll asks for the same title every 5 ms; each write would send it to the
  // window manager, the accessibility bus and the title bar again.
  const char* shown = gtk_window_get_title(gobj());
  if (shown && text == shown) return;
  set_title(text);
}

void frmBrowser::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void frmBrowser::Form_Load() {
  common::ResumeNext([this] { present(); },  //
                     [this] { tbToolBar.Refresh(); }, [this] { Form_Resize(); },
                     [this] {
                       cboAddress.Left(50);
                       cboAddress.Top(lblAddress.Top() + lblAddress.Height() + 15);
                     });
  if (StartingAddress.empty()) return;
  common::ResumeNext([this] { cboAddress.Text(StartingAddress); },
                     [this] { cboAddress.AddItem(cboAddress.Text()); },
                     [this] { timTimer.Enabled(true); },
                     [this] { brwWebBrowser->Navigate(StartingAddress); });
}

void frmBrowser::Form_Resize() {
  // A client area too small for the margins gives zero sizes: Placed takes a negative
  // size as zero.
  cboAddress.Width(client_.ScaleWidth() - 100);
  brwWebBrowser.Width(client_.ScaleWidth() - 100);
  brwWebBrowser.Height(client_.ScaleHeight() - (picAddress.Top() + picAddress.Height()) - 100);
}

void frmBrowser::Help_Click(short Index) {
  if (Index != 4) return;
  ShowAbout(get_application());
}

}  // namespace browser
