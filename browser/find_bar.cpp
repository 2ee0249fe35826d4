// The find bar; see find_bar.h.
#include "browser/find_bar.h"

#include <gtkmm/root.h>

#include "common/accessible.h"

namespace browser {

namespace {

void Name(Gtk::Button& button, const char* icon, const std::string& name) {
  button.set_icon_name(icon);
  button.set_tooltip_text(name);
  button.set_has_frame(false);
  common::SetAccessibleName(button, name);
}

}  // namespace

FindBar::FindBar(int most_matches_counted)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 4), matches_(most_matches_counted) {
  add_css_class("find-bar");
  common::SetAccessibleName(*this, "Find bar");
  entry_.set_width_chars(24);
  entry_.set_placeholder_text("Find in page");
  common::SetAccessibleName(entry_, "Find");
  Name(previous_button_, "go-up-symbolic", "Previous match");
  Name(next_button_, "go-down-symbolic", "Next match");
  Name(close_button_, "window-close-symbolic", "Close find bar");
  // Its text is what the search found; the name says what the text is about.
  common::SetAccessibleName(matches_label_, "Matches");
  matches_label_.set_hexpand(true);
  matches_label_.set_xalign(0);
  close_button_.set_halign(Gtk::Align::END);
  append(entry_);
  append(previous_button_);
  append(next_button_);
  append(matches_label_);
  append(close_button_);

  entry_.signal_changed().connect(sigc::mem_fun(*this, &FindBar::entry_changed));
  previous_button_.signal_clicked().connect(previous_.make_slot());
  next_button_.signal_clicked().connect(next_.make_slot());
  close_button_.signal_clicked().connect(close_.make_slot());
  set_visible(false);
}

void FindBar::Open() {
  set_visible(true);
  entry_.grab_focus();
  entry_.select_region(0, -1);
}

bool FindBar::Focused() {
  Gtk::Widget* focus = get_root() ? get_root()->get_focus() : nullptr;
  return focus && (focus == this || focus->is_ancestor(*this));
}

bool FindBar::TextFocused() {
  Gtk::Widget* focus = get_root() ? get_root()->get_focus() : nullptr;
  return focus && (focus == &entry_ || focus->is_ancestor(entry_));
}

int FindBar::NaturalHeight() const {
  int minimum = 0, natural = 0, minimum_baseline = 0, natural_baseline = 0;
  measure(Gtk::Orientation::VERTICAL, -1, minimum, natural, minimum_baseline, natural_baseline);
  return natural;
}

void FindBar::entry_changed() { change_.emit(Text()); }

void FindBar::ShowMatches() {
  matches_label_.set_text(matches_.Text());
  if (matches_.None())
    entry_.add_css_class("error");
  else
    entry_.remove_css_class("error");
}

}  // namespace browser
