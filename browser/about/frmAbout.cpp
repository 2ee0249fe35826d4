// The About dialog's window, controls and handlers (see frmAbout.h).
#include "browser/about/frmAbout.h"

#include <gdkmm/texture.h>
#include <glibmm/main.h>
#include <gtkmm/shortcutcontroller.h>
#include <pango/pango.h>

#include <string>
#include <string_view>

#include "browser/about/window_frame.h"
#include "common/accessible.h"
#include "common/icon_theme.h"
#include "common/version.h"

// The dialog's art, compiled in. Calling this pulls the bundle out of the static
// library, whose linking would otherwise drop it, and with it the constructor that
// registers the resources.
extern "C" GResource* about_get_resource();

namespace browser {

namespace {

constexpr char kResources[] = "/org/korvo/about/";
// The dialog's version caption is the project's version, and the design fixes it: a
// new project version must be a deliberate change of this caption too.
static_assert(std::string_view(common::kVersion) == "0.1.0");
constexpr char kIconName[] = "korvo-about";
constexpr char kDescription[] =
    "Korvo is a small web browser for the Linux desktop. Type an address and press Enter to "
    "open a page; the toolbar goes back and forward, stops, reloads, and takes you home or to "
    "a search. Built on GTK and WebKitGTK.";

Glib::RefPtr<Gdk::Texture> Art(const std::string& name) {
  return Gdk::Texture::create_from_resource(kResources + name);
}

// Pictures show at their natural size, as drawn.
void ShowPicture(Gtk::Picture& picture, const std::string& art) {
  picture.set_paintable(Art(art));
  picture.set_can_shrink(false);
  picture.set_content_fit(Gtk::ContentFit::SCALE_DOWN);
}

void AlignTopLeft(Gtk::Label& label) {
  label.set_xalign(0);
  label.set_yalign(0);
}

// The Esc key presses button wherever the focus is in its window.
void MakeCancelButton(Gtk::Button& button) {
  auto cancel = Gtk::ShortcutController::create();
  cancel->set_scope(Gtk::ShortcutScope::GLOBAL);
  cancel->add_shortcut(Gtk::Shortcut::create(Gtk::KeyvalTrigger::create(GDK_KEY_Escape),
                                             Gtk::ActivateAction::get()));
  button.add_controller(cancel);
}

}  // namespace

frmAbout::Design::Design()
    : cmdOK("OK"),
      cmdSysInfo("_System Info...", true),
      Line1{LineControl(255, 255, 255), LineControl(128, 128, 128)},
      lblTitle("Korvo"),
      lblVersion(common::kVersion),
      client(6210, 6630) {
  ShowPicture(picIcon, "art/emblem.svg");
  ShowPicture(Image1, "art/picture.svg");
  Label1.set_text(kDescription);
  Label1.set_wrap(true);
  for (Gtk::Label* label : {&Label1, &lblTitle, &lblVersion}) AlignTopLeft(*label);
  auto title_look = Pango::AttrList();
  auto bold = Pango::Attribute::create_attr_weight(Pango::Weight::BOLD);
  auto larger = Pango::Attribute::create_attr_scale(1.8);
  auto black = Pango::Attribute::create_attr_foreground(0, 0, 0);
  title_look.insert(bold);
  title_look.insert(larger);
  title_look.insert(black);
  lblTitle.set_attributes(title_look);
  cmdOK.set_receives_default(true);
  MakeCancelButton(cmdOK);

  common::SetAccessibleName(picIcon, "Korvo emblem");
  common::SetAccessibleName(cmdOK, "OK");
  common::SetAccessibleName(cmdSysInfo, "System Info...");
  common::SetAccessibleName(Label1, kDescription);
  common::SetAccessibleName(Image1, "Ravens flying over green hills in the morning");
  common::SetAccessibleName(lblTitle, "Korvo");
  common::SetAccessibleName(lblVersion, std::string("Version ") + common::kVersion);

  // Pictures, lines and labels lie beneath the windowed controls, so the buttons sit
  // on top of the picture.
  client.Add(Image1, {120, 2640, 6000, 3705});
  client.Add(Line1[1], LineControl::Horizontal(90, 6120, 2445, 1));
  client.Add(Line1[0], LineControl::Horizontal(105, 6120, 2460, 2));
  client.Add(lblTitle, {1080, 240, 4965, 480});
  client.Add(lblVersion, {1080, 780, 4965, 225});
  client.Add(Label1, {1080, 1200, 4935, 1095});
  client.Add(picIcon, {240, 240, 540, 540});
  client.Add(cmdOK, {4440, 3000, 1260, 345});
  client.Add(cmdSysInfo, {4440, 3600, 1245, 345});

  window.set_title("Info");
  window.set_resizable(false);
  // A fixed dialog frame: a title and a close button, nothing to minimise or maximise.
  titlebar.set_decoration_layout("icon:close");
  window.set_titlebar(titlebar);
  window.set_icon_name(kIconName);
  // The stored position is the client area's, which lies below the title bar.
  PlaceOffTaskbar(window, titlebar, common::TwipsToPixels(2340), common::TwipsToPixels(1935));
  window.set_child(client);
  window.set_default_widget(cmdOK);
}

frmAbout::frmAbout(SysInfoLauncher::Platform platform) : launcher_(platform) {
  about_get_resource();
  common::AddIconResourcePath(std::string(kResources) + "art/icons");
}

frmAbout::~frmAbout() {
  if (design_) gtk_window_destroy(design_->window.gobj());
}

void frmAbout::Show(const Glib::RefPtr<Gtk::Application>& app) {
  const bool loading = !Loaded();
  if (loading) Load();
  if (app) design_->window.set_application(app);
  design_->window.present();
  // Focused before it is shown, GTK would publish the window to assistive technology
  // as a plain object and announce neither the window nor its first control.
  if (loading) design_->window.set_focus(design_->cmdOK);
}

void frmAbout::Load() {
  design_ = std::make_unique<Design>();
  connect_signals();
}

void frmAbout::Unload() {
  if (!design_) return;
  // Not hidden but destroyed: asked by a screen reader for a window past the last one
  // shown, GTK answers with the last window it holds, and for a hidden one that answer
  // crashes the program. Destroyed, the window also leaves the application, which may
  // then end.
  gtk_window_destroy(design_->window.gobj());
  unloaded_ = std::move(design_);
  Glib::signal_idle().connect_once(sigc::mem_fun(*this, &frmAbout::ReleaseUnloaded));
}

void frmAbout::ReleaseUnloaded() { unloaded_.reset(); }

void frmAbout::connect_signals() {
  design_->cmdOK.signal_clicked().connect(sigc::mem_fun(*this, &frmAbout::cmdOK_Click));
  design_->cmdSysInfo.signal_clicked().connect(sigc::mem_fun(*this, &frmAbout::cmdSysInfo_Click));
  design_->window.signal_close_request().connect(
      sigc::mem_fun(*this, &frmAbout::window_CloseRequest), false);
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

bool frmAbout::window_CloseRequest() {
  Unload();
  return true;
}

void frmAbout::StartSysInfo() { launcher_.StartSysInfo(); }

bool frmAbout::GetKeyValue(const registry::HKey& KeyRoot, std::string& KeyName,
                           std::string& SubKeyRef, std::string& KeyVal) {
  return launcher_.GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

}  // namespace browser
