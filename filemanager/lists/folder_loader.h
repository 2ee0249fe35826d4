// Loads a folder's listing for a list control without freezing the window: a folder
// of ordinary size is read and sorted at once, the rest of a huge one on a worker
// thread, whose result comes back on the user-interface thread.
#pragma once

#include <glibmm/dispatcher.h>
#include <sigc++/signal.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "filemanager/lists/folder_listing.h"

namespace filemanager {

class FolderLoader {
 public:
  using Listing = std::shared_ptr<const FolderListing>;

  FolderLoader();
  FolderLoader(const FolderLoader&) = delete;
  FolderLoader& operator=(const FolderLoader&) = delete;

  // Opens path and reads it. Throws common::Error when it cannot be read; a load
  // already under way then goes on undisturbed. Otherwise any earlier load is
  // dropped, and the result is the complete listing when the folder was small enough
  // to read at once, or empty when signal_ready will deliver it.
  Listing Load(const std::string& path, EntryKind kind, const NamePattern& pattern);

  // Raised on the user-interface thread with the listing of the latest Load.
  sigc::signal<void(Listing)>& signal_ready() { return ready_; }

 private:
  void Work(std::stop_token stop, std::unique_ptr<FolderReader> reader, unsigned generation);
  void Worker_Done();

  unsigned generation_ = 0;
  sigc::signal<void(Listing)> ready_;
  Glib::Dispatcher done_;
  std::mutex mutex_;
  Listing finished_;  // guarded by mutex_, with the generation it belongs to
  unsigned finished_generation_ = 0;
  // Last member: destroying it stops and joins the worker before the rest goes.
  std::jthread worker_;
};

}  // namespace filemanager
