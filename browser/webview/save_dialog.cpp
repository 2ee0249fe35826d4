// The platform's save dialog for downloads; see save_dialog.h.
#include "browser/webview/save_dialog.h"

#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/filechoosernative.h>
#include <gtkmm/window.h>

namespace browser {

NativeSaveDialog::NativeSaveDialog() = default;
NativeSaveDialog::~NativeSaveDialog() = default;

void NativeSaveDialog::Ask(Gtk::Widget& near, const std::string& suggested_name, Answer answer) {
  if (dialog_) {
    // One question at a time: a download that arrives while one is open is declined.
    answer("");
    return;
  }
  auto* window = dynamic_cast<Gtk::Window*>(near.get_root());
  answer_ = std::move(answer);
  // GTK's save chooser asks before it returns a file that exists, so nothing is
  // replaced without the user saying so.
  dialog_ = Gtk::FileChooserNative::create("Save File", Gtk::FileChooser::Action::SAVE, "_Save",
                                           "_Cancel");
  if (window) dialog_->set_transient_for(*window);
  dialog_->set_modal(true);
  dialog_->set_current_name(suggested_name);
  dialog_->signal_response().connect(sigc::mem_fun(*this, &NativeSaveDialog::Dialog_Response));
  dialog_->show();
}

void NativeSaveDialog::Dialog_Response(int response) {
  std::string path;
  if (response == GTK_RESPONSE_ACCEPT) {
    if (auto file = dialog_->get_file()) path = file->get_path();
  }
  dialog_->hide();
  // The dialog is still inside its own signal emission; it goes once that returns.
  Glib::signal_idle().connect_once([dialog = std::move(dialog_)] {});
  auto answer = std::move(answer_);
  answer_ = nullptr;
  answer(path);
}

}  // namespace browser
