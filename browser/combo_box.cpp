#include "browser/combo_box.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/binlayout.h>
#include <gtkmm/entry.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/root.h>

#include <algorithm>

#include "common/accessible.h"
#include "common/dispatch.h"
#include "common/errors.h"

namespace browser {

namespace {

// The character code a classic KeyPress carries for a key, or 0 for a key that
// types nothing (arrows, function keys, shortcuts held with Alt).
short KeyAsciiOf(guint keyval, Gdk::ModifierType state) {
  if ((state & Gdk::ModifierType::ALT_MASK) == Gdk::ModifierType::ALT_MASK) return 0;
  switch (keyval) {
    case GDK_KEY_BackSpace:
      return 8;
    case GDK_KEY_Escape:
      return 27;
    default:
      break;
  }
  const gunichar character = gdk_keyval_to_unicode(keyval);
  if (character == 0 || character > 0x7FFF) return 0;
  // With Ctrl held a letter gives its control code, as Ctrl+C gives 3.
  if ((state & Gdk::ModifierType::CONTROL_MASK) == Gdk::ModifierType::CONTROL_MASK &&
      g_unichar_isalpha(character) && character < 0x80)
    return static_cast<short>(g_unichar_toupper(character) - 'A' + 1);
  return static_cast<short>(character);
}

}  // namespace

ComboBox::ComboBox() {
  set_layout_manager(Gtk::BinLayout::create());
  combo_.set_parent(*this);
  Gtk::Entry& entry = *combo_.get_entry();
  combo_.signal_changed().connect(sigc::mem_fun(*this, &ComboBox::combo_changed));
  entry.signal_activate().connect(sigc::mem_fun(*this, &ComboBox::entry_activate));
  entry.signal_changed().connect(sigc::mem_fun(*this, &ComboBox::entry_changed));
  // Keys are seen before the text takes them, so that a handler can cancel one.
  auto keys = Gtk::EventControllerKey::create();
  keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  keys->signal_key_pressed().connect(sigc::mem_fun(*this, &ComboBox::entry_key_pressed), false);
  entry.add_controller(keys);
  // The arrow keys step from the box's own selection, not from GTK's active row.
  g_signal_connect(combo_.gobj(), "move-active", G_CALLBACK(&ComboBox::MoveActive), this);
}

ComboBox::~ComboBox() { combo_.unparent(); }

std::string ComboBox::Text() const { return combo_.get_entry()->get_text(); }

void ComboBox::Text(const std::string& text) {
  writing_ = true;
  combo_.get_entry()->set_text(text);
  writing_ = false;
  edited_ = false;
}

void ComboBox::CheckIndex(int index, int last) const {
  if (index < 0 || index > last) throw common::Error("Invalid procedure call or argument");
}

double ComboBox::ProgressFraction() const { return combo_.get_entry()->get_progress_fraction(); }

void ComboBox::ProgressFraction(double fraction) {
  combo_.get_entry()->set_progress_fraction(fraction);
}

std::string ComboBox::List(int index) const {
  CheckIndex(index, ListCount() - 1);
  return items_[index];
}

void ComboBox::AddItem(const std::string& text, int index) {
  if (index == -1) index = ListCount();
  CheckIndex(index, ListCount());
  items_.insert(items_.begin() + index, text);
  combo_.insert(index, text);
  if (list_index_ >= index) ++list_index_;
}

void ComboBox::RemoveItem(int index) {
  CheckIndex(index, ListCount() - 1);
  items_.erase(items_.begin() + index);
  combo_.remove_text(index);
  if (list_index_ == index)
    list_index_ = -1;
  else if (list_index_ > index)
    --list_index_;
}

int ComboBox::ListIndex() const { return list_index_; }

void ComboBox::ListIndex(int index) {
  if (index != -1) CheckIndex(index, ListCount() - 1);
  Select(index);
  // Raised here rather than from GTK's signal, so that an error in the handler
  // reaches the code that wrote the index.
  if (index != -1) click_.emit();
}

void ComboBox::Select(int index) {
  selecting_ = true;
  combo_.set_active(index);
  // GTK reports a pick only when its selection changes; cleared, it reports the user
  // picking the selected entry once more too. The text stays.
  combo_.set_active(-1);
  selecting_ = false;
  list_index_ = index;
  edited_ = false;
}

bool ComboBox::Editing() const {
  if (!edited_) return false;
  // The text keeps its window's focus while the window is in the background.
  const Gtk::Root* root = get_root();
  for (const Gtk::Widget* focus = root ? root->get_focus() : nullptr; focus;
       focus = focus->get_parent())
    if (focus == combo_.get_entry()) return true;
  return false;
}

void ComboBox::AccessibleName(const std::string& name) {
  common::SetAccessibleName(*this, name);
  common::SetAccessibleName(combo_, name);
  common::SetAccessibleName(*combo_.get_entry(), name);
}

Gtk::Widget& ComboBox::FocusTarget() { return *combo_.get_entry(); }

void ComboBox::combo_changed() {
  // Typing also changes the box, with no entry selected; only a pick is a Click.
  const int picked = combo_.get_active_row_number();
  if (selecting_ || picked < 0) return;
  Select(picked);
  click_.emit();
}

void ComboBox::MoveActive(GtkComboBox* combo, GtkScrollType scroll, gpointer self) {
  // GTK's own move would start from its active row, which is always cleared.
  g_signal_stop_emission_by_name(combo, "move-active");
  common::Dispatch([&] { static_cast<ComboBox*>(self)->combo_move_active(scroll); });
}

void ComboBox::combo_move_active(GtkScrollType scroll) {
  const int last = ListCount() - 1;
  int target = list_index_;
  switch (scroll) {
    case GTK_SCROLL_STEP_UP:
    case GTK_SCROLL_STEP_BACKWARD:
    case GTK_SCROLL_STEP_LEFT:
      // With no entry selected (the user typed) nothing lies above.
      if (list_index_ > 0) target = list_index_ - 1;
      break;
    case GTK_SCROLL_STEP_DOWN:
    case GTK_SCROLL_STEP_FORWARD:
    case GTK_SCROLL_STEP_RIGHT:
      // With no entry selected the first step lands on the top entry.
      target = std::min(list_index_ + 1, last);
      break;
    case GTK_SCROLL_PAGE_UP:
    case GTK_SCROLL_PAGE_BACKWARD:
    case GTK_SCROLL_PAGE_LEFT:
    case GTK_SCROLL_START:
      target = std::min(0, last);
      break;
    case GTK_SCROLL_PAGE_DOWN:
    case GTK_SCROLL_PAGE_FORWARD:
    case GTK_SCROLL_PAGE_RIGHT:
    case GTK_SCROLL_END:
      target = last;
      break;
    default:
      break;
  }
  // At either end, or with an empty list, the selection stays and nothing is raised.
  if (target < 0 || target == list_index_) return;
  Select(target);
  click_.emit();
}

void ComboBox::entry_changed() {
  if (selecting_) return;
  // Text typed or set is no entry of the list, even when equal to one.
  list_index_ = -1;
  if (!writing_) edited_ = true;
}

void ComboBox::entry_activate() {
  // Enter hands the typed text over: the next address shown may replace it.
  edited_ = false;
  short key_ascii = 13;
  key_press_.emit(key_ascii);
}

bool ComboBox::entry_key_pressed(guint keyval, guint, Gdk::ModifierType state) {
  // Enter arrives as the text's activation, once.
  if (keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter || keyval == GDK_KEY_ISO_Enter)
    return false;
  short key_ascii = KeyAsciiOf(keyval, state);
  if (key_ascii == 0) return false;
  key_press_.emit(key_ascii);
  return key_ascii == 0;
}

}  // namespace browser
