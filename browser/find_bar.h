// The find bar: a row below the address strip that finds text in the page, shown by
// Ctrl+F and closed by its close button or Escape. It holds the text searched for,
// buttons to the previous and next match, and what the search found ("2 of 5", or
// that nothing matches). The window runs the search; the bar raises an event for
// each change of the text and each button.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <sigc++/signal.h>

#include <string>

#include "browser/find_matches.h"

namespace browser {

class FindBar : public Gtk::Box {
 public:
  explicit FindBar(int most_matches_counted);

  std::string Text() const { return entry_.get_text(); }
  // Shows the bar with the focus in its text, all of it selected for typing over.
  void Open();
  // True while the focus is in the bar, or in its text.
  bool Focused();
  bool TextFocused();
  // The bar's height in pixels when it is shown.
  int NaturalHeight() const;

  // Which match is selected; ShowMatches shows it.
  FindMatches& Matches() { return matches_; }
  void ShowMatches();

  // Change: the text changed, as typed. Next, Previous and Close: their buttons.
  sigc::signal<void(const std::string&)>& signal_change() { return change_; }
  sigc::signal<void()>& signal_next() { return next_; }
  sigc::signal<void()>& signal_previous() { return previous_; }
  sigc::signal<void()>& signal_close() { return close_; }

 private:
  void entry_changed();

  Gtk::Entry entry_;
  Gtk::Button previous_button_;
  Gtk::Button next_button_;
  Gtk::Label matches_label_;
  Gtk::Button close_button_;
  FindMatches matches_;
  sigc::signal<void(const std::string&)> change_;
  sigc::signal<void()> next_;
  sigc::signal<void()> previous_;
  sigc::signal<void()> close_;
};

}  // namespace browser
