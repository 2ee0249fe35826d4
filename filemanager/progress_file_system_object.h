// The program's file-system object: the copy, move and delete core run so that the
// window stays painted. A copy or move runs on a worker thread while the UI thread
// waits in a nested loop that takes no input for the window; one that lasts longer
// than a moment shows a modal progress window whose Cancel ends it.
#pragma once

#include <gtkmm/window.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "filemanager/file_system_object.h"
#include "filemanager/operations/file_operations.h"
#include "filemanager/progress_window.h"

namespace filemanager {

class ProgressFileSystemObject : public FileSystemObject {
 public:
  using Transfer = std::function<void(const std::string&, const std::string&, OperationMonitor&)>;
  // The operations it runs; tests put slow ones in.
  struct Operations {
    Transfer copy;
    Transfer move;
    std::function<void(const std::string&)> remove;
  };
  static Operations CoreOperations();

  explicit ProgressFileSystemObject(
      Gtk::Window& owner, Operations operations = CoreOperations(),
      std::chrono::milliseconds progress_delay = std::chrono::milliseconds(500));

  std::string GetFileName(const std::string& path) override;
  void CopyFile(const std::string& source, const std::string& destination) override;
  void MoveFile(const std::string& source, const std::string& destination) override;
  // The core deletes whatever the file's own permission bits say, which is what
  // force asks for; without force it would do the same. It runs like a copy, for a
  // hung file system can hold a delete as long as any copy.
  void DeleteFile(const std::string& path, bool force) override;
  void DestinationFolder(const FolderIdentity& folder) override { destination_folder_ = folder; }
  // Quick as they are, they run like a copy too, for a hung file system holds them as
  // long.
  void RenameFile(const std::string& folder, const std::string& name,
                  const std::string& new_name) override;
  void CreateFolder(const std::string& folder, const std::string& name) override;

  // The progress window on screen, or null.
  ProgressWindow* CurrentProgress() const { return progress_.get(); }

 private:
  void Run(const Transfer& transfer, const std::string& title, const std::string& source,
           const std::string& destination);

  Transfer IntoDestinationFolder(const Transfer& transfer);

  Gtk::Window& owner_;
  Operations operations_;
  std::optional<FolderIdentity> destination_folder_;
  std::chrono::milliseconds progress_delay_;
  std::unique_ptr<ProgressWindow> progress_;
};

}  // namespace filemanager
