// Form1's keys on its lists: each runs the handler of the button it stands for, or
// browses as the folder list does.
#include <glibmm/miscutils.h>

#include "common/errors.h"
#include "filemanager/Form1.h"

namespace filemanager {

namespace {

const auto kModifiers = Gdk::ModifierType::CONTROL_MASK | Gdk::ModifierType::ALT_MASK |
                        Gdk::ModifierType::SHIFT_MASK | Gdk::ModifierType::SUPER_MASK;

}  // namespace

void Form1::connect_keys() {
  auto file_keys = Gtk::EventControllerKey::create();
  file_keys->signal_key_pressed().connect(sigc::mem_fun(*this, &Form1::File1_KeyPressed), false);
  File1.add_controller(file_keys);
  auto folder_keys = Gtk::EventControllerKey::create();
  folder_keys->signal_key_pressed().connect(sigc::mem_fun(*this, &Form1::Dir1_KeyPressed), false);
  Dir1.add_controller(folder_keys);
}

bool Form1::File1_KeyPressed(guint keyval, guint, Gdk::ModifierType state) {
  const Gdk::ModifierType modifiers = state & kModifiers;
  if (modifiers == Gdk::ModifierType::CONTROL_MASK) {
    switch (gdk_keyval_to_lower(keyval)) {
      case GDK_KEY_c:
        cmdCopy_Click();
        return true;
      case GDK_KEY_x:
        cmdCut_Click();
        return true;
      case GDK_KEY_v:
        cmdPaste_Click();
        return true;
      default:
        return false;
    }
  }
  if (modifiers == Gdk::ModifierType{} &&
      (keyval == GDK_KEY_Delete || keyval == GDK_KEY_KP_Delete)) {
    cmdDelete_Click();
    return true;
  }
  if (CommandKey(keyval, modifiers, true)) return true;
  return BrowseKey(keyval, modifiers);
}

// The folder list pastes into the folder it has open.
bool Form1::Dir1_KeyPressed(guint keyval, guint, Gdk::ModifierType state) {
  const Gdk::ModifierType modifiers = state & kModifiers;
  if (modifiers == Gdk::ModifierType::CONTROL_MASK && gdk_keyval_to_lower(keyval) == GDK_KEY_v) {
    cmdPaste_Click();
    return true;
  }
  if (CommandKey(keyval, modifiers, false)) return true;
  return BrowseKey(keyval, modifiers);
}

// F2 renames the selected file; Ctrl+Shift+N makes a folder in the open one; the Menu
// key and Shift+F10 open the list's context menu at its selected row.
bool Form1::CommandKey(guint keyval, Gdk::ModifierType modifiers, bool files) {
  const bool none = modifiers == Gdk::ModifierType{};
  if ((none && keyval == GDK_KEY_Menu) ||
      (modifiers == Gdk::ModifierType::SHIFT_MASK && keyval == GDK_KEY_F10)) {
    if (files)
      File1_ContextMenu(std::nullopt);
    else
      Dir1_ContextMenu(std::nullopt);
    return true;
  }
  if (files && none && keyval == GDK_KEY_F2) {
    File1_Rename();
    return true;
  }
  if (modifiers == (Gdk::ModifierType::CONTROL_MASK | Gdk::ModifierType::SHIFT_MASK) &&
      gdk_keyval_to_lower(keyval) == GDK_KEY_n) {
    Dir1_NewFolder();
    return true;
  }
  return false;
}

// The keys both lists share: F5, the parent folder, Back and Forward.
bool Form1::BrowseKey(guint keyval, Gdk::ModifierType modifiers) {
  if (modifiers == Gdk::ModifierType{}) {
    if (keyval == GDK_KEY_F5) {
      RefreshLists();
      return true;
    }
    if (keyval == GDK_KEY_BackSpace) {
      OpenParent();
      return true;
    }
    return false;
  }
  if (modifiers != Gdk::ModifierType::ALT_MASK) return false;
  switch (keyval) {
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
      OpenParent();
      return true;
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
      Command4_Click();
      return true;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
      Command5_Click();
      return true;
    default:
      return false;
  }
}

// The three lists are read again; what was selected stays so while it is there.
void Form1::RefreshLists() {
  common::TrapFailure(
      [this] {
        Drive1.Refresh();
        Dir1.Path(Dir1.Path());
        File1.Reload();
      },
      [this](const std::string& description) { Dir1_OpenFailed(description); });
}

void Form1::OpenParent() {
  const std::string folder = Dir1.Path();
  if (folder.empty() || folder == "/") return;
  common::TrapFailure([&] { Dir1.Path(Glib::path_get_dirname(folder)); },
                      [this](const std::string& description) { Dir1_OpenFailed(description); });
}

}  // namespace filemanager
