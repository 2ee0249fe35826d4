// Finding the rows of a list view on screen by position, for what opens at a row (a
// context menu): each row's widget is marked with its position when it is bound.
#pragma once

#include <gdkmm/enums.h>
#include <gdkmm/rectangle.h>
#include <gtkmm/widget.h>

#include <optional>

namespace filemanager {

// Marks row, the widget a list item factory made, as showing position.
void MarkRow(Gtk::Widget& row, guint position);

// The position of the row at (x, y) in view's coordinates; none over no row.
std::optional<guint> RowAt(Gtk::Widget& view, double x, double y);

// Gives the row at position the keyboard focus, so that Enter and the arrow keys go
// on from it, when its widget is on screen.
void FocusRow(Gtk::Widget& view, guint position);

// True when the keyboard focus is in view.
bool HoldsFocus(Gtk::Widget& view);

// True for an Enter key pressed alone: it opens the selected row, which type-ahead may
// have moved away from the row that has the focus.
bool OpensRow(guint keyval, Gdk::ModifierType state);

// Where the row at position is, in target's coordinates; none while it is off screen.
std::optional<Gdk::Rectangle> RowArea(Gtk::Widget& view, guint position, Gtk::Widget& target);

}  // namespace filemanager
