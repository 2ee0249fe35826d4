// Loads a folder's listing for a list control without letting the folder hold the
// window: opening and reading run on a worker thread. The window waits a moment for
// the folder to open, so a folder that answers is listed before Load returns; one
// that stays silent (a hung network or FUSE mount) is reported later, or dropped
// when a newer load replaces it.
#pragma once

#include <sigc++/signal.h>

#include <memory>
#include <optional>
#include <string>

#include "filemanager/lists/folder_listing.h"

namespace filemanager {

class FolderLoader {
 public:
  using Listing = std::shared_ptr<const FolderListing>;

  // What a folder gave when it was opened.
  struct Opened {
    FolderIdentity identity;
    // The complete listing, or null when a huge folder's comes later by Ready.
    Listing listing;
  };

  FolderLoader();
  // Never waits for a worker: one stuck in a hung file system is left to finish alone.
  ~FolderLoader();
  FolderLoader(const FolderLoader&) = delete;
  FolderLoader& operator=(const FolderLoader&) = delete;

  // Starts loading path, dropping a load that has not opened yet. Returns what the
  // folder gave when it opened in time, after which the earlier folder's listing
  // still to come is dropped too. Throws common::Error when the folder could not be
  // opened in time; the earlier folder's listing then still comes. Returns nothing
  // when the folder has not answered yet: Opened or Failed tells later.
  std::optional<Opened> Load(const std::string& path, EntryKind kind, const NamePattern& pattern);

  // True while a load has not opened yet.
  bool Opening() const { return opening_ != nullptr; }

  // Raised on the user-interface thread for the latest load that Load left opening.
  sigc::signal<void(Opened)>& signal_opened() { return opened_; }
  sigc::signal<void(const std::string& description)>& signal_failed() { return failed_; }
  // Raised with the complete listing of a huge folder, once it is read.
  sigc::signal<void(Listing)>& signal_ready() { return ready_; }

  struct Job;

 private:
  friend struct Job;
  void Job_Answered(Job& job);

  std::shared_ptr<Job> opening_;  // not opened yet
  std::shared_ptr<Job> reading_;  // opened, the rest of a huge folder still coming
  sigc::signal<void(Opened)> opened_;
  sigc::signal<void(const std::string&)> failed_;
  sigc::signal<void(Listing)> ready_;
};

}  // namespace filemanager
