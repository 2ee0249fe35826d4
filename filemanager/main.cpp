// tavvel, the file manager: one window, Form1 (start reading in Form1.h), working on
// the file system through ProgressFileSystemObject. Its lists open on the process's
// current folder, which a FOLDER on the command line sets.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/application.h"
#include "common/gtk_message_box.h"
#include "filemanager/Form1.h"
#include "filemanager/program_icon.h"
#include "filemanager/progress_file_system_object.h"

namespace {

int OpenIn(const std::vector<std::string>& words) {
  if (words.size() > 1) {
    std::cerr << "tavvel: give one folder at most\n";
    return 1;
  }
  if (words.empty()) return -1;
  std::error_code error;
  std::filesystem::current_path(words.front(), error);
  if (!error) return -1;
  std::cerr << "tavvel: cannot open " << words.front() << ": " << error.message() << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  common::GtkMessageBox messages("File Manager");
  std::unique_ptr<filemanager::Form1> form;
  const common::CommandLine command_line{
      "tavvel", "[FOLDER]", "Opens the File Manager on FOLDER, or on the current folder.", OpenIn};
  const auto open_window = [&](Gtk::Application& app) {
    filemanager::InstallProgramIcon();
    form = std::make_unique<filemanager::Form1>(messages, [](Gtk::Window& owner) {
      return std::make_unique<filemanager::ProgressFileSystemObject>(owner);
    });
    messages.SetOwner([&form] { return form.get(); });
    app.add_window(*form);
    form->present();
  };
  return common::RunApplication("org.korvo.tavvel", argc, argv, command_line, open_window);
}
