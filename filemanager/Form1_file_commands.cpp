// Form1's internal clipboard and file commands: Cut and Copy remember the selected
// file, Paste copies or moves it into the open folder, Delete deletes it after asking.
// Every outcome is reported in a message box.
#include <glibmm/convert.h>

#include "common/errors.h"
#include "filemanager/Form1.h"
#include "filemanager/lists/folder_path.h"

namespace filemanager {

void Form1::cmdCopy_Click() { PutOnClipboard(false); }

void Form1::cmdCut_Click() { PutOnClipboard(true); }

// Only the path is kept: the file itself is not touched until Paste.
void Form1::PutOnClipboard(bool cut) {
  const std::string path = GetSelectedFilePath();
  if (path.empty()) {
    messages_.Show("Please select a file first.", common::kExclamation, "No Selection");
    return;
  }
  clipboardPath = path;
  isCut = cut;
  if (cut)
    messages_.Show("File cut to internal clipboard.", common::kInformation, "Cut");
  else
    messages_.Show("File copied to internal clipboard.", common::kInformation, "Copy");
}

void Form1::cmdPaste_Click() {
  if (clipboardPath.empty()) {
    messages_.Show("Clipboard is empty. Copy or Cut a file first.", common::kExclamation, "Paste");
    return;
  }
  // Composing the destination is trapped too: whatever fails, the user is told.
  common::TrapFailure(
      [this] {
        std::string destination = Dir1.Path();
        if (destination.empty() || destination.back() != '/') destination += '/';
        destination += fso->GetFileName(clipboardPath);
        // The file goes into the folder the list shows, or nowhere.
        fso->DestinationFolder(Dir1.Identity());
        if (isCut) {
          fso->MoveFile(clipboardPath, destination);
          clipboardPath.clear();
        } else {
          fso->CopyFile(clipboardPath, destination);
        }
        File1.Refresh();
        txtFilePath.set_text("");
        messages_.Show("File pasted successfully.", common::kInformation, "Success");
      },
      [this](const std::string& description) {
        messages_.Show("Error pasting file: " + description, common::kCritical, "Paste Error");
      });
}

void Form1::cmdDelete_Click() {
  const std::string path = GetSelectedFilePath();
  if (path.empty()) {
    messages_.Show("Please select a file to delete.", common::kExclamation, "No Selection");
    return;
  }
  // The question names the file alone, readably even when its name is not UTF-8 or
  // holds a line break.
  const std::string name = DisplayName(File1.FileName().c_str());
  const int answer = messages_.Show("Are you sure you want to permanently delete " + name + "?",
                                    common::kQuestion | common::kYesNo, "Confirm Delete");
  if (answer != common::kYes) return;
  common::TrapFailure(
      [&] {
        fso->DeleteFile(path, true);
        File1.Refresh();
        txtFilePath.set_text("");
        messages_.Show("File deleted.", common::kInformation, "Deleted");
      },
      [this](const std::string& description) {
        messages_.Show("Error deleting file: " + description, common::kCritical, "Delete Error");
      });
}

}  // namespace filemanager
