// Opening a file from the file list with the user's default application for its type.
#include <gio/gio.h>
#include <giomm/appinfo.h>
#include <giomm/file.h>
#include <glibmm/convert.h>

#include "filemanager/Form1.h"
#include "filemanager/lists/folder_path.h"

namespace filemanager {

namespace {

// The file's type as the system knows it; guessed from its name when it cannot be read.
std::string ContentType(const Glib::RefPtr<Gio::File>& file, const std::string& path) {
  try {
    const auto info = file->query_info(G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE);
    if (!info->get_content_type().empty()) return info->get_content_type();
  } catch (const Glib::Error&) {
  }
  gchar* guessed = g_content_type_guess(path.c_str(), nullptr, 0, nullptr);
  std::string type(guessed);
  g_free(guessed);
  return type;
}

}  // namespace

// The application is started directly, never through a shell.
void Form1::File1_DblClick() {
  const std::string path = GetSelectedFilePath();
  if (path.empty()) return;
  const std::string name = DisplayName(File1.FileName().c_str());
  const auto file = Gio::File::create_for_path(path);
  const auto application = Gio::AppInfo::get_default_for_type(ContentType(file, path), false);
  if (!application) {
    messages_.Show("No application is set to open " + name + ".", common::kExclamation, "Open");
    return;
  }
  try {
    application->launch(file, get_display()->get_app_launch_context());
  } catch (const Glib::Error& error) {
    messages_.Show("Error opening " + name + ": " + error.what(), common::kCritical, "Open");
  }
}

}  // namespace filemanager
