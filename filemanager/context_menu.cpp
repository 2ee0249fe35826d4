// A list's context menu: its model, its actions and the popover that shows them.
#include "filemanager/context_menu.h"

#include <giomm/simpleaction.h>

namespace filemanager {

ContextMenu::ContextMenu()
    : menu_(Gio::Menu::create()), actions_(Gio::SimpleActionGroup::create()) {}

// The actions call back into the menu, so the owner keeps none of them.
ContextMenu::~ContextMenu() {
  if (!owner_) return;
  owner_->insert_action_group(prefix_, nullptr);
  if (popover_) popover_->unparent();
}

void ContextMenu::Attach(Gtk::Widget& owner, const std::string& prefix) {
  owner_ = &owner;
  prefix_ = prefix;
  owner.insert_action_group(prefix, actions_);
}

void ContextMenu::Add(const std::string& label, const std::string& name,
                      sigc::slot<void()> command) {
  actions_->add_action(name, sigc::bind(sigc::mem_fun(*this, &ContextMenu::Run), command));
  menu_->append(label, prefix_ + "." + name);
}

// A command that shows a message box runs with the menu already gone from the screen.
void ContextMenu::Run(const sigc::slot<void()>& command) {
  if (popover_) popover_->popdown();
  command();
}

void ContextMenu::Enable(const std::string& name, bool enabled) {
  auto action = std::dynamic_pointer_cast<Gio::SimpleAction>(actions_->lookup_action(name));
  if (action) action->set_enabled(enabled);
}

void ContextMenu::Popup(const Gdk::Rectangle& where) {
  if (!popover_) {
    popover_ = std::make_unique<Gtk::PopoverMenu>(menu_);
    popover_->set_has_arrow(false);
    popover_->set_position(Gtk::PositionType::BOTTOM);
    popover_->set_halign(Gtk::Align::START);
    popover_->set_parent(*owner_);
  }
  popover_->set_pointing_to(where);
  popover_->popup();
}

}  // namespace filemanager
