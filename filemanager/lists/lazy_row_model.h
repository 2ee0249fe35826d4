// A list model whose row objects are made only when a list asks for them, which it
// does for the rows on screen: a list of 100,000 names costs the names and a handful
// of row objects, not 100,000 of them.
#pragma once

#include <giomm/listmodel.h>
#include <glibmm/object.h>

#include <functional>
#include <string>

namespace filemanager {

class LazyRowModel : public Gio::ListModel, public Glib::Object {
 public:
  // The text row position shows.
  using TextOf = std::function<std::string(guint position)>;

  static Glib::RefPtr<LazyRowModel> create();

  // Replaces every row with size rows, row i showing text_of(i).
  void Reset(guint size, TextOf text_of);
  std::string Text(guint position) const { return text_of_(position); }

 protected:
  LazyRowModel();

  GType get_item_type_vfunc() override;
  guint get_n_items_vfunc() override;
  gpointer get_item_vfunc(guint position) override;

 private:
  guint size_ = 0;
  TextOf text_of_;
};

}  // namespace filemanager
