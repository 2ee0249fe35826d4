// Form1's Rename and New Folder, each asking for the name in a small dialog and
// reporting a failure as the file commands do; and the folder list following the
// folders that this program or another creates, deletes or renames in its folder.
#include <glib.h>

#include "common/errors.h"
#include "filemanager/Form1.h"
#include "filemanager/lists/folder_path.h"
#include "filemanager/name_dialog.h"

namespace filemanager {

namespace {

constexpr char kNewFolder[] = "New Folder";

}  // namespace

// A renamed file stays selected under its new name. When it is the file on the
// internal clipboard, the clipboard follows it: it names the same file, which Paste
// would otherwise no longer find.
void Form1::File1_Rename() {
  const std::string name = File1.FileName();
  if (name.empty()) {
    messages_.Show("Please select a file first.", common::kExclamation, "No Selection");
    return;
  }
  const std::string folder = File1.Path();
  const std::string path = GetSelectedFilePath();
  const std::string shown = DisplayName(name.c_str());
  // The name before its extension is selected, so typing keeps the extension.
  const auto dot = shown.rfind('.');
  const long stem = dot == std::string::npos || dot == 0 ? -1 : static_cast<long>(dot);
  const auto answer =
      AskName(*this, "Rename", shown, static_cast<int>(g_utf8_strlen(shown.c_str(), stem)));
  // The box shows a name that is not UTF-8 readably; left as shown, it stays as it is.
  if (!answer || *answer == shown) return;
  common::TrapFailure(
      [&] {
        fso->RenameFile(folder, name, *answer);
        if (clipboardPath == path) clipboardPath = JoinPath(folder, *answer);
        File1.Refresh();
        txtFilePath.set_text("");
        SelectFile(*answer);
      },
      [this](const std::string& description) {
        messages_.Show("Error renaming file: " + description, common::kCritical, "Rename Error");
      });
}

// The new folder is made in the folder open, then selected in the folder list.
void Form1::Dir1_NewFolder() {
  const std::string folder = Dir1.Path();
  const auto answer = AskName(*this, kNewFolder, NewFolderName(), -1);
  if (!answer) return;
  common::TrapFailure(
      [&] {
        fso->CreateFolder(folder, *answer);
        Dir1.Reload();
        Dir1.SelectRow(JoinPath(folder, *answer));
      },
      [this](const std::string& description) {
        messages_.Show("Error creating folder: " + description, common::kCritical,
                       "New Folder Error");
      });
}

// Selects name in the file list now, or once a huge folder is listed.
void Form1::SelectFile(const std::string& name) {
  renamed_.clear();
  if (!File1.Complete()) {
    renamed_ = JoinPath(File1.Path(), name);
    return;
  }
  for (int index = 0; index < File1.ListCount(); ++index) {
    if (File1.List(index) != name) continue;
    File1.ListIndex(index);
    File1.get_child()->activate_action("list.scroll-to-item",
                                       Glib::Variant<guint32>::create(index));
    return;
  }
}

void Form1::File1_Listed() {
  if (renamed_.empty()) return;
  const std::string name = LastComponent(renamed_);
  // Another folder opened meanwhile does not select a file of the same name.
  if (JoinPath(File1.Path(), name) == renamed_)
    SelectFile(name);
  else
    renamed_.clear();
}

// "New Folder", or "New Folder 2" and on when the folder has an entry of that name.
std::string Form1::NewFolderName() {
  const auto listed = [this](const std::string& name) {
    for (int index = 0; index < File1.ListCount(); ++index)
      if (File1.List(index) == name) return true;
    const std::string path = JoinPath(Dir1.Path(), name);
    for (guint row = 0; !Dir1.RowPath(row).empty(); ++row)
      if (Dir1.RowPath(row) == path) return true;
    return false;
  };
  std::string name = kNewFolder;
  for (int number = 2; listed(name); ++number) name = kNewFolder + (" " + std::to_string(number));
  return name;
}

// The file list watches the open folder; a folder that went or cannot be read any more
// is left as it is shown until the user moves on.
void Form1::File1_FolderChanged() {
  if (File1.Path() != Dir1.Path()) return;
  common::TrapFailure([this] { Dir1.Reload(); }, [](const std::string&) {});
}

}  // namespace filemanager
