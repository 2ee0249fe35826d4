// The lists' views, and their rows found by the position their widget is marked with.
#include "filemanager/lists/list_rows.h"

#include <malloc.h>

#include <gdkmm/frameclock.h>
#include <glibmm/main.h>
#include <graphene.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/root.h>

namespace filemanager {

namespace {

constexpr char kRowKey[] = "tavvel-row-position";
constexpr char kTrimKey[] = "tavvel-trim-pending";

// Opening a window allocates and frees much (the theme, the first frames); once its
// rows are drawn, the pages that start-up left free go back to the system (1 MiB).
// Lists that show their rows in the same frame share one trim.
void TrimAfterNextFrame(Gtk::Widget& view) {
  const Glib::RefPtr<Gdk::FrameClock> clock = view.get_frame_clock();
  if (!clock || clock->get_data(kTrimKey)) return;
  clock->set_data(kTrimKey, clock.get());
  auto painted = std::make_shared<sigc::connection>();
  *painted = clock->signal_paint().connect(
      [painted, frames = clock.get()] {
        painted->disconnect();
        frames->remove_data(kTrimKey);
        malloc_trim(0);
      },
      true);
}

// True for Left and Right without Alt, which the grid would take to step to the next row.
bool MovesAcross(guint keyval, guint, Gdk::ModifierType state) {
  const bool across = keyval == GDK_KEY_Left || keyval == GDK_KEY_Right ||
                      keyval == GDK_KEY_KP_Left || keyval == GDK_KEY_KP_Right;
  return across && (state & Gdk::ModifierType::ALT_MASK) == Gdk::ModifierType{};
}

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

Gtk::GridView& NewListView() {
  auto* view = g_object_new(GTK_TYPE_GRID_VIEW, "accessible-role", GTK_ACCESSIBLE_ROLE_LIST,
                            "min-columns", 1u, "max-columns", 1u, nullptr);
  gtk_widget_add_css_class(GTK_WIDGET(view), "one-column");
  auto& grid = *Gtk::manage(Glib::wrap(GTK_GRID_VIEW(view)));
  auto keys = Gtk::EventControllerKey::create();
  keys->signal_key_pressed().connect(&MovesAcross, false);
  grid.add_controller(keys);
  return grid;
}

Gtk::GridView& ViewOf(Gtk::ScrolledWindow& list) {
  return dynamic_cast<Gtk::GridView&>(*list.get_child());
}

void ShowRows(Gtk::GridView& view, const Glib::RefPtr<Gtk::SelectionModel>& model,
              FirstRows first_rows) {
  if (first_rows == FirstRows::kAtOnce) {
    view.set_model(model);
    return;
  }
  // The idle after mapping comes after the frame the window is being mapped for.
  auto mapped = std::make_shared<sigc::connection>();
  *mapped = view.signal_map().connect([&view, model, mapped] {
    mapped->disconnect();
    Glib::signal_idle().connect_once(sigc::track_obj(
        [&view, model] {
          view.set_model(model);
          TrimAfterNextFrame(view);
        },
        view));
  });
}

void MarkRow(Gtk::Widget& row, guint position) {
  g_object_set_data(G_OBJECT(row.gobj()), kRowKey, GUINT_TO_POINTER(position + 1));
  // The grid makes its items table cells. A role can change only until the item is
  // realized (GTK refuses it with a critical after), and an item is first bound before
  // the grid takes it in.
  Gtk::Widget* item = row.get_parent();
  if (item && !item->get_realized() &&
      gtk_accessible_get_accessible_role(GTK_ACCESSIBLE(item->gobj())) !=
          GTK_ACCESSIBLE_ROLE_LIST_ITEM)
    g_object_set(item->gobj(), "accessible-role", GTK_ACCESSIBLE_ROLE_LIST_ITEM, nullptr);
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
