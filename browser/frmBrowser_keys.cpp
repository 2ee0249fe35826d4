// frmBrowser's keys: each stands for a toolbar button, the address box or the find bar
// and runs the same handler, so the busy poll and the title follow it as they follow a
// click.
#include <gdk/gdkkeysyms.h>
#include <gtkmm/accelerator.h>
#include <gtkmm/editable.h>

#include "browser/frmBrowser.h"
#include "browser/zoom_steps.h"
#include "common/errors.h"

namespace browser {

namespace {

using Mods = Gdk::ModifierType;

constexpr Mods kNone{};
constexpr Mods kCtrl = Mods::CONTROL_MASK;
constexpr Mods kAlt = Mods::ALT_MASK;
constexpr Mods kShift = Mods::SHIFT_MASK;

}  // namespace

bool frmBrowser::Form_KeyDown(guint keyval, guint, Gdk::ModifierType state) {
  const Mods mods = state & Gtk::Accelerator::get_default_mod_mask();
  // Letters arrive in capitals when Shift is held or Caps Lock is on.
  const guint key = gdk_keyval_to_lower(keyval);
  Gtk::Widget& page = brwWebBrowser.AsWidget();
  Gtk::Widget* focus = get_focus();
  const bool on_page = focus && (focus == &page || focus->is_ancestor(page));
  const bool on_address =
      focus && (focus == &cboAddress.FocusTarget() || focus->is_ancestor(cboAddress.FocusTarget()));

  if ((key == GDK_KEY_l && mods == kCtrl) || (key == GDK_KEY_d && mods == kAlt)) {
    FocusAddress();
  } else if (key == GDK_KEY_F6 && mods == kNone) {
    // F6 moves the focus between the address box and the page.
    if (on_page)
      FocusAddress();
    else
      page.grab_focus();
  } else if ((key == GDK_KEY_Left && mods == kAlt) ||
             (key == GDK_KEY_BackSpace && mods == kNone && !TextHasFocus())) {
    tbToolBar_ButtonClick("Back");
  } else if ((key == GDK_KEY_Right && mods == kAlt) ||
             (key == GDK_KEY_BackSpace && mods == kShift && !TextHasFocus())) {
    tbToolBar_ButtonClick("Forward");
  } else if ((key == GDK_KEY_F5 && mods == kNone) || (key == GDK_KEY_r && mods == kCtrl)) {
    tbToolBar_ButtonClick("Refresh");
  } else if ((key == GDK_KEY_F5 && mods == kCtrl) ||
             (key == GDK_KEY_r && mods == (kCtrl | kShift))) {
    RefreshBypassingCache_Click();
  } else if (key == GDK_KEY_Home && mods == kAlt) {
    tbToolBar_ButtonClick("Home");
  } else if ((key == GDK_KEY_w || key == GDK_KEY_q) && mods == kCtrl) {
    close();
  } else if ((key == GDK_KEY_plus || key == GDK_KEY_equal || key == GDK_KEY_KP_Add) &&
             (mods & ~kShift) == kCtrl) {
    Zoom(1);
  } else if ((key == GDK_KEY_minus || key == GDK_KEY_KP_Subtract) && mods == kCtrl) {
    Zoom(-1);
  } else if ((key == GDK_KEY_0 || key == GDK_KEY_KP_0) && mods == kCtrl) {
    Zoom(0);
  } else if (key == GDK_KEY_f && mods == kCtrl) {
    OpenFindBar();
  } else if (key == GDK_KEY_F3 && (mods == kNone || mods == kShift)) {
    if (!fbFind.get_visible())
      OpenFindBar();
    else if (mods == kShift)
      fbFind_Previous();
    else
      fbFind_Next();
  } else if ((key == GDK_KEY_Return || key == GDK_KEY_KP_Enter) &&
             (mods == kNone || mods == kShift) && fbFind.TextFocused()) {
    if (mods == kShift)
      fbFind_Previous();
    else
      fbFind_Next();
  } else if (key == GDK_KEY_Escape && mods == kNone && fbFind.Focused()) {
    fbFind_Close();
  } else if (key == GDK_KEY_Escape && mods == kNone && on_address) {
    // The text typed is dropped for the address of the page shown.
    common::ResumeNext([this] { cboAddress.Text(brwWebBrowser->LocationURL()); });
  } else if (key == GDK_KEY_Escape && mods == kNone && brwWebBrowser->Busy()) {
    tbToolBar_ButtonClick("Stop");
  } else {
    return false;
  }
  return true;
}

void frmBrowser::FocusAddress() {
  Gtk::Widget& text = cboAddress.FocusTarget();
  text.grab_focus();
  if (auto* editable = dynamic_cast<Gtk::Editable*>(&text)) editable->select_region(0, -1);
}

// The page's own text fields are out of the window's sight: while the page has the
// focus, Backspace is left to it, as one of its fields may be taking the text.
bool frmBrowser::TextHasFocus() {
  Gtk::Widget* focus = get_focus();
  Gtk::Widget& page = brwWebBrowser.AsWidget();
  return focus && (focus == &page || focus->is_ancestor(page) || GTK_IS_EDITABLE(focus->gobj()));
}

void frmBrowser::Zoom(int direction) {
  common::ResumeNext([this, direction] {
    brwWebBrowser->ZoomLevel(NextZoom(brwWebBrowser->ZoomLevel(), direction));
  });
}

void frmBrowser::RefreshBypassingCache_Click() {
  common::ResumeNext([this] { timTimer.Enabled(true); },
                     [this] { brwWebBrowser->RefreshBypassingCache(); });
}

}  // namespace browser
