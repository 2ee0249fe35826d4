// tavvel, the file manager: one window, Form1 (start reading in Form1.h), working on
// the file system through ProgressFileSystemObject.
#include "common/application.h"
#include "common/gtk_message_box.h"
#include "filemanager/Form1.h"
#include "filemanager/program_icon.h"
#include "filemanager/progress_file_system_object.h"

int main() {
  common::GtkMessageBox messages("File Manager");
  std::unique_ptr<filemanager::Form1> form;
  return common::RunApplication("org.korvo.tavvel", [&](Gtk::Application& app) {
    filemanager::InstallProgramIcon();
    form = std::make_unique<filemanager::Form1>(messages, [](Gtk::Window& owner) {
      return std::make_unique<filemanager::ProgressFileSystemObject>(owner);
    });
    messages.SetOwner(form.get());
    app.add_window(*form);
    form->present();
  });
}
