// The combo box control: an editable text over a drop-down list, with the operations
// and the two events (Click, KeyPress) the browser window's address box relies on.
// GTK's combo box with an entry is deprecated after GTK 4.8; this is the one file a
// port to its successor touches.
#pragma once

#include <gtkmm/comboboxtext.h>
#include <gtkmm/widget.h>
#include <sigc++/signal.h>

#include <string>
#include <vector>

namespace browser {

class ComboBox : public Gtk::Widget {
 public:
  ComboBox();
  ~ComboBox() override;

  std::string Text() const;
  void Text(const std::string& text);

  // Entries are indexed from 0, the top. A bad index throws common::Error.
  int ListCount() const { return static_cast<int>(items_.size()); }
  std::string List(int index) const;
  // Adds text at index (the later entries move down), or at the end without one.
  void AddItem(const std::string& text, int index = -1);
  void RemoveItem(int index);

  // The selected entry, or -1; it follows its entry as others are added or removed,
  // and typing clears it. Writing an index selects that entry, shows its text and
  // raises Click before it returns; -1 clears the selection.
  int ListIndex() const;
  void ListIndex(int index);

  // True while the user is editing the text: it has its window's focus, and the user
  // changed it since the program last wrote it (through Text or a selection) and
  // since the last Enter.
  bool Editing() const;

  // How far a load has come, shown behind the text: from 0 (nothing shown) to 1.
  double ProgressFraction() const;
  void ProgressFraction(double fraction);

  // The name assistive technology gives the box and its text field.
  void AccessibleName(const std::string& name);
  // The part that takes the focus, for a label's access key.
  Gtk::Widget& FocusTarget();

  // Click: an entry of the list became the selection, picked by the user, stepped to
  // with Up and Down (Page Up and Page Down go to the top and the bottom) or written
  // to ListIndex; typing raises none. KeyPress: a character typed into the text,
  // Enter being 13; a handler that sets the code to 0 cancels the key.
  sigc::signal<void()>& signal_click() { return click_; }
  sigc::signal<void(short&)>& signal_key_press() { return key_press_; }

 private:
  // Shows the entry at index (or none at -1) as the selection, raising nothing.
  void Select(int index);
  void combo_changed();
  static void MoveActive(GtkComboBox* combo, GtkScrollType scroll, gpointer self);
  void combo_move_active(GtkScrollType scroll);
  void entry_changed();
  void entry_activate();
  bool entry_key_pressed(guint keyval, guint keycode, Gdk::ModifierType state);
  void CheckIndex(int index, int last) const;

  Gtk::ComboBoxText combo_{true};
  std::vector<std::string> items_;
  int list_index_ = -1;
  bool selecting_ = false;
  bool writing_ = false;
  bool edited_ = false;
  sigc::signal<void()> click_;
  sigc::signal<void(short&)> key_press_;
};

}  // namespace browser
