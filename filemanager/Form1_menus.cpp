// The context menus of Form1's lists, opened by a right click, the Menu key or
// Shift+F10. Each item runs the handler of the button or key it stands for; an item
// that cannot apply (a file command with no file selected, Paste with an empty
// clipboard) is disabled.
#include <gtkmm/gestureclick.h>
#include <gtkmm/gridview.h>
#include <gtkmm/singleselection.h>

#include "filemanager/Form1.h"
#include "filemanager/lists/list_rows.h"

namespace filemanager {

namespace {

// A list that shows its rows only after the window's first frame has no model before.
guint SelectedRow(Gtk::GridView& view) {
  const auto model = view.get_model();
  if (!model) return GTK_INVALID_LIST_POSITION;
  return gtk_single_selection_get_selected(GTK_SINGLE_SELECTION(model->gobj()));
}

// Where a menu opened by key points: the selected row, else the list's top-left corner.
Gdk::Rectangle KeyPoint(Gtk::ScrolledWindow& list) {
  Gtk::GridView& view = ViewOf(list);
  const guint selected = SelectedRow(view);
  if (selected != GTK_INVALID_LIST_POSITION) {
    if (const auto area = RowArea(view, selected, list)) {
      return {area->get_x() + 16, area->get_y() + area->get_height(), 1, 1};
    }
  }
  return {16, 16, 1, 1};
}

void OpenOnRightClick(Gtk::Widget& list, sigc::slot<void(int, double, double)> handler) {
  auto click = Gtk::GestureClick::create();
  click->set_button(GDK_BUTTON_SECONDARY);
  click->signal_pressed().connect(handler);
  list.add_controller(click);
}

}  // namespace

void Form1::connect_menus() {
  file_menu_.Attach(File1, "file");
  file_menu_.Add("_Open", "open", sigc::mem_fun(*this, &Form1::File1_DblClick));
  file_menu_.Add("Cu_t", "cut", sigc::mem_fun(*this, &Form1::cmdCut_Click));
  file_menu_.Add("_Copy", "copy", sigc::mem_fun(*this, &Form1::cmdCopy_Click));
  file_menu_.Add("_Paste", "paste", sigc::mem_fun(*this, &Form1::cmdPaste_Click));
  file_menu_.Add("_Delete", "delete", sigc::mem_fun(*this, &Form1::cmdDelete_Click));
  file_menu_.Add("_Rename", "rename", sigc::mem_fun(*this, &Form1::File1_Rename));
  folder_menu_.Attach(Dir1, "folder");
  folder_menu_.Add("_Open", "open", sigc::mem_fun(*this, &Form1::Dir1_Open));
  folder_menu_.Add("_Paste", "paste", sigc::mem_fun(*this, &Form1::cmdPaste_Click));
  folder_menu_.Add("New _Folder", "new-folder", sigc::mem_fun(*this, &Form1::Dir1_NewFolder));
  OpenOnRightClick(File1, sigc::mem_fun(*this, &Form1::File1_RightClick));
  OpenOnRightClick(Dir1, sigc::mem_fun(*this, &Form1::Dir1_RightClick));
}

// A right click on a file selects it, as a click does, before the menu opens.
void Form1::File1_RightClick(int, double x, double y) {
  Gtk::GridView& view = ViewOf(File1);
  double view_x = x, view_y = y;
  File1.translate_coordinates(view, x, y, view_x, view_y);
  const auto row = RowAt(view, view_x, view_y);
  if (row && static_cast<int>(*row) < File1.ListCount()) File1.ListIndex(static_cast<int>(*row));
  view.grab_focus();
  File1_ContextMenu(Gdk::Rectangle(static_cast<int>(x), static_cast<int>(y), 1, 1));
}

// A right click on a folder selects its row, without opening it.
void Form1::Dir1_RightClick(int, double x, double y) {
  Gtk::GridView& view = ViewOf(Dir1);
  double view_x = x, view_y = y;
  Dir1.translate_coordinates(view, x, y, view_x, view_y);
  const auto row = RowAt(view, view_x, view_y);
  if (row && !Dir1.RowPath(*row).empty()) Dir1.SelectRow(Dir1.RowPath(*row));
  view.grab_focus();
  Dir1_ContextMenu(Gdk::Rectangle(static_cast<int>(x), static_cast<int>(y), 1, 1));
}

void Form1::File1_ContextMenu(std::optional<Gdk::Rectangle> where) {
  const bool selected = !File1.FileName().empty();
  for (const char* name : {"open", "cut", "copy", "delete", "rename"})
    file_menu_.Enable(name, selected);
  file_menu_.Enable("paste", !clipboardPath.empty());
  file_menu_.Popup(where ? *where : KeyPoint(File1));
}

void Form1::Dir1_ContextMenu(std::optional<Gdk::Rectangle> where) {
  folder_menu_.Enable("open", !Dir1.RowPath(SelectedRow(ViewOf(Dir1))).empty());
  folder_menu_.Enable("paste", !clipboardPath.empty());
  folder_menu_.Popup(where ? *where : KeyPoint(Dir1));
}

// A folder's Open does what a double-click or Enter on its row does.
void Form1::Dir1_Open() {
  Gtk::GridView& view = ViewOf(Dir1);
  const guint selected = SelectedRow(view);
  if (selected == GTK_INVALID_LIST_POSITION) return;
  view.activate_action("list.activate-item", Glib::Variant<guint32>::create(selected));
}

}  // namespace filemanager
