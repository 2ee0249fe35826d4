// A list's context menu: a popover menu over a menu model whose items run actions of
// the list's own, so the keyboard walks it and assistive technology reads it as a menu.
#pragma once

#include <gdkmm/rectangle.h>
#include <giomm/menu.h>
#include <giomm/simpleactiongroup.h>
#include <gtkmm/popovermenu.h>

#include <memory>
#include <string>

namespace filemanager {

class ContextMenu {
 public:
  ContextMenu();
  // Lets go of the widget it pops up over.
  ~ContextMenu();
  ContextMenu(const ContextMenu&) = delete;
  ContextMenu& operator=(const ContextMenu&) = delete;

  // Pops up over owner, whose actions named prefix it adds; owner must outlive it.
  void Attach(Gtk::Widget& owner, const std::string& prefix);
  // Adds an item labelled label ("_" marks its access key) that runs command once the
  // menu has closed.
  void Add(const std::string& label, const std::string& name, sigc::slot<void()> command);
  void Enable(const std::string& name, bool enabled);
  // Shows the menu pointing at where, in the owner's coordinates.
  void Popup(const Gdk::Rectangle& where);

 private:
  void Run(const sigc::slot<void()>& command);

  Glib::RefPtr<Gio::Menu> menu_;
  Glib::RefPtr<Gio::SimpleActionGroup> actions_;
  // Made when first shown: its items' widgets would cost every start of the program.
  std::unique_ptr<Gtk::PopoverMenu> popover_;
  Gtk::Widget* owner_ = nullptr;
  std::string prefix_;
};

}  // namespace filemanager
