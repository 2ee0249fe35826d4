// The message box as a GTK dialog: the icon of its style, modal over the window that
// raised it and kept above it.
#pragma once

#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include <functional>
#include <memory>
#include <string>

#include "common/message_box.h"

namespace common {

class GtkMessageBox : public MessageBox {
 public:
  explicit GtkMessageBox(std::string application_title)
      : application_title_(std::move(application_title)) {}

  int Show(const std::string& prompt, int style, const std::string& title = "") override;

  // Gives the window whose boxes these are, or null: each box is transient for and
  // modal to it, also when no window has the focus (as just after another box closed).
  // Without one, or while it is not shown, the active window is taken. Asked at each
  // box, so that it may follow a window that is destroyed and made anew.
  void SetOwner(std::function<Gtk::Window*()> owner) { owner_ = std::move(owner); }

  // The dialog on screen while Show waits, or null: lets tests answer it.
  Gtk::MessageDialog* Current() const { return current_; }

  // The icon the theme is asked for a style, empty for none; GTK carries its own copy
  // of each, so the icon is there even on a system without an icon theme.
  static std::string IconName(int style);

 private:
  Gtk::Window* Owner() const;

  std::string application_title_;
  std::function<Gtk::Window*()> owner_;
  Gtk::MessageDialog* current_ = nullptr;
};

}  // namespace common
