// The views of the folder and file lists, and finding their rows on screen by position,
// for what opens at a row (a context menu): each row's widget is marked with its
// position when it is bound.
#pragma once

#include <gdkmm/enums.h>
#include <gdkmm/rectangle.h>
#include <gtkmm/gridview.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/widget.h>

#include <optional>

namespace filemanager {

// When a list's view first shows rows: at once, or after the window's first frame, for
// a list in a window about to open, which would otherwise wait for every row to be
// made, styled and measured before it appears.
enum class FirstRows { kAtOnce, kAfterFirstFrame };

// A list's view: a one-column grid, which makes row widgets for some thirty rows
// around those on screen where a list view makes two hundred. It reads as a list to
// assistive technology, looks like one and, like one, moves nothing on Left and Right;
// MarkRow makes its rows list items.
Gtk::GridView& NewListView();

// The view of list, a folder or file list, made by NewListView.
Gtk::GridView& ViewOf(Gtk::ScrolledWindow& list);

// Gives view its model now or, for kAfterFirstFrame, once its window has drawn.
void ShowRows(Gtk::GridView& view, const Glib::RefPtr<Gtk::SelectionModel>& model,
              FirstRows first_rows);

// Marks row, the widget a list item factory made, as showing position. The first time
// it is bound, before the view takes it in, its item is given a list item's role.
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
