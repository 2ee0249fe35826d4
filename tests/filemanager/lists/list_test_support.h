// Reading what a list control shows and acting on it the way the user's mouse and
// keyboard do, through the list view's own actions.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "filemanager/lists/list_rows.h"

namespace lists_test {

using filemanager::ViewOf;

// The text of every row, as shown.
inline std::vector<std::string> Rows(Gtk::ScrolledWindow& list) {
  std::vector<std::string> rows;
  GListModel* model = G_LIST_MODEL(ViewOf(list).get_model()->gobj());
  for (guint i = 0; i < g_list_model_get_n_items(model); ++i) {
    auto* row = static_cast<GObject*>(g_list_model_get_item(model, i));
    rows.push_back(GTK_IS_STRING_OBJECT(row) ? gtk_string_object_get_string(GTK_STRING_OBJECT(row))
                                             : "<not a string row>");
    g_object_unref(row);
  }
  return rows;
}

// A click on row position (or moving to it with the arrow keys).
inline void UserSelects(Gtk::ScrolledWindow& list, guint position) {
  gtk_widget_activate_action(GTK_WIDGET(ViewOf(list).gobj()), "list.select-item", "(ubb)", position,
                             FALSE, FALSE);
}

// A Ctrl+click on row position.
inline void UserCtrlClicks(Gtk::ScrolledWindow& list, guint position) {
  gtk_widget_activate_action(GTK_WIDGET(ViewOf(list).gobj()), "list.select-item", "(ubb)", position,
                             TRUE, FALSE);
}

// A double-click on row position, or Enter on it.
inline void UserOpens(Gtk::ScrolledWindow& list, guint position) {
  gtk_widget_activate_action(GTK_WIDGET(ViewOf(list).gobj()), "list.activate-item", "u", position);
}

// Whether accessible carries label as its accessible name.
inline bool HasAccessibleLabel(Gtk::Widget& widget, const std::string& label) {
  char* mismatch = gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget.gobj()),
                                                      GTK_ACCESSIBLE_PROPERTY_LABEL, label.c_str());
  const bool matches = mismatch == nullptr;
  g_free(mismatch);
  return matches;
}

}  // namespace lists_test
