// The message box as a GTK dialog: the icon of its style, modal over the window that
// raised it and kept above it.
#pragma once

#include <gtkmm/messagedialog.h>
#include <gtkmm/window.h>

#include <memory>
#include <string>

#include "common/message_box.h"

namespace common {

class GtkMessageBox : public MessageBox {
 public:
  explicit GtkMessageBox(std::string application_title)
      : application_title_(std::move(application_title)) {}

  int Show(const std::string& prompt, int style, const std::string& title = "") override;

  // The window whose boxes these are: each box is transient for and modal to it, also
  // when no window has the focus (as just after another box closed). Without one, or
  // while it is not shown, the active window is taken. The owner must outlive its use.
  void SetOwner(Gtk::Window* owner) { owner_ = owner; }

  // The dialog on screen while Show waits, or null: lets tests answer it.
  Gtk::MessageDialog* Current() const { return current_; }

  // The icon the theme is asked for a style, empty for none; GTK carries its own copy
  // of each, so the icon is there even on a system without an icon theme.
  static std::string IconName(int style);

 private:
  Gtk::Window* Owner() const;

  std::string application_title_;
  Gtk::Window* owner_ = nullptr;
  Gtk::MessageDialog* current_ = nullptr;
};

}  // namespace common
