// Rows made on demand: each is a string object holding the text the row shows.
#include "filemanager/lists/lazy_row_model.h"

#include <gtk/gtk.h>

namespace filemanager {

LazyRowModel::LazyRowModel()
    : Glib::ObjectBase(typeid(LazyRowModel)), Gio::ListModel(), Glib::Object() {}

Glib::RefPtr<LazyRowModel> LazyRowModel::create() {
  return Glib::make_refptr_for_instance<LazyRowModel>(new LazyRowModel());
}

void LazyRowModel::Reset(guint size, TextOf text_of) {
  const guint removed = size_;
  size_ = size;
  text_of_ = std::move(text_of);
  if (removed != 0 || size != 0) items_changed(0, removed, size);
}

GType LazyRowModel::get_item_type_vfunc() { return GTK_TYPE_STRING_OBJECT; }

guint LazyRowModel::get_n_items_vfunc() { return size_; }

gpointer LazyRowModel::get_item_vfunc(guint position) {
  if (position >= size_) return nullptr;
  return gtk_string_object_new(text_of_(position).c_str());
}

}  // namespace filemanager
