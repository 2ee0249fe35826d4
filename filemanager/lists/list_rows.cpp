// Rows of a list view found by the position their widget is marked with.
#include "filemanager/lists/list_rows.h"

#include <graphene.h>
#include <gtkmm/root.h>

namespace filemanager {

namespace {

constexpr char kRowKey[] = "tavvel-row-position";

// The marked position of widget or of the row that holds it.
std::optional<guint> MarkedPosition(Gtk::Widget* widget, Gtk::Widget& view) {
  for (; widget && widget != &view; widget = widget->get_parent()) {
    // Stored one above the position, so that no mark (null) tells from row 0.
    const auto mark = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(widget->gobj()), kRowKey));
    if (mark != 0) return mark - 1;
  }
  return std::nullopt;
}

}  // namespace

void MarkRow(Gtk::Widget& row, guint position) {
  g_object_set_data(G_OBJECT(row.gobj()), kRowKey, GUINT_TO_POINTER(position + 1));
}

std::optional<guint> RowAt(Gtk::Widget& view, double x, double y) {
  return MarkedPosition(view.pick(x, y), view);
}

void FocusRow(Gtk::Widget& view, guint position) {
  for (Gtk::Widget* row = view.get_first_child(); row; row = row->get_next_sibling()) {
    Gtk::Widget* content = row->get_first_child();
    if (content && row->get_mapped() && MarkedPosition(content, view) == position) {
      row->grab_focus();
      return;
    }
  }
}

bool HoldsFocus(Gtk::Widget& view) {
  Gtk::Root* root = view.get_root();
  Gtk::Widget* focus = root ? root->get_focus() : nullptr;
  return focus && (focus == &view || focus->is_ancestor(view));
}

bool OpensRow(guint keyval, Gdk::ModifierType state) {
  const auto modifiers = Gdk::ModifierType::CONTROL_MASK | Gdk::ModifierType::ALT_MASK |
                         Gdk::ModifierType::SHIFT_MASK | Gdk::ModifierType::SUPER_MASK;
  if ((state & modifiers) != Gdk::ModifierType{}) return false;
  return keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter || keyval == GDK_KEY_ISO_Enter;
}

std::optional<Gdk::Rectangle> RowArea(Gtk::Widget& view, guint position, Gtk::Widget& target) {
  for (Gtk::Widget* row = view.get_first_child(); row; row = row->get_next_sibling()) {
    Gtk::Widget* content = row->get_first_child();
    if (!content || !row->get_mapped() || MarkedPosition(content, view) != position) continue;
    graphene_rect_t bounds;
    if (!gtk_widget_compute_bounds(row->gobj(), target.gobj(), &bounds)) return std::nullopt;
    return Gdk::Rectangle(static_cast<int>(bounds.origin.x), static_cast<int>(bounds.origin.y),
                          static_cast<int>(bounds.size.width),
                          static_cast<int>(bounds.size.height));
  }
  return std::nullopt;
}

}  // namespace filemanager
