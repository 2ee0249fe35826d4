// The message box as a GTK dialog, modal over the active window of the application.
#pragma once

#include <gtkmm/messagedialog.h>

#include <memory>
#include <string>

#include "common/message_box.h"

namespace common {

class GtkMessageBox : public MessageBox {
 public:
  explicit GtkMessageBox(std::string application_title)
      : application_title_(std::move(application_title)) {}

  int Show(const std::string& prompt, int style, const std::string& title = "") override;

  // The dialog on screen while Show waits, or null: lets tests answer it.
  Gtk::MessageDialog* Current() const { return current_; }

 private:
  std::string application_title_;
  Gtk::MessageDialog* current_ = nullptr;
};

}  // namespace common
