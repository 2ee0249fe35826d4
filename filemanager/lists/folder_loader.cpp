// The split between reading at once and reading on a worker thread.
#include "filemanager/lists/folder_loader.h"

#include "common/errors.h"

namespace filemanager {

namespace {

// Entries read before a load moves to the worker: a few milliseconds of work, so an
// ordinary folder is listed before Load returns and a huge one never holds a frame.
constexpr std::size_t kReadAtOnce = 4096;
// Entries the worker reads between two looks at whether it should stop.
constexpr std::size_t kReadChunk = 1024;

}  // namespace

FolderLoader::FolderLoader() { done_.connect(sigc::mem_fun(*this, &FolderLoader::Worker_Done)); }

FolderLoader::Listing FolderLoader::Load(const std::string& path, EntryKind kind,
                                         const NamePattern& pattern) {
  auto reader = std::make_unique<FolderReader>(path, kind, pattern);
  const bool read_all = reader->ReadSome(kReadAtOnce);
  ++generation_;
  // Replacing the worker stops and joins the one of an earlier load, if any.
  worker_ = std::jthread();
  if (read_all) return std::make_shared<const FolderListing>(reader->TakeSorted());
  // The worker never outlives this loader: its jthread member joins it first.
  worker_ = std::jthread(
      [this, reader = std::move(reader), generation = generation_](std::stop_token stop) mutable {
        Work(stop, std::move(reader), generation);
      });
  return nullptr;
}

void FolderLoader::Work(std::stop_token stop, std::unique_ptr<FolderReader> reader,
                        unsigned generation) {
  try {
    while (!reader->ReadSome(kReadChunk))
      if (stop.stop_requested()) return;
  } catch (const common::Error&) {
    // The folder could be opened, so it is listed; an entry that cannot be read
    // part-way (a failing disk, the folder removed meanwhile) ends the listing there.
  }
  auto listing = std::make_shared<const FolderListing>(reader->TakeSorted(stop));
  if (stop.stop_requested()) return;
  {
    std::lock_guard lock(mutex_);
    finished_ = std::move(listing);
    finished_generation_ = generation;
  }
  done_.emit();
}

void FolderLoader::Worker_Done() {
  Listing listing;
  {
    std::lock_guard lock(mutex_);
    listing = std::move(finished_);
    // The listing of a load that a later one replaced is dropped.
    if (finished_generation_ != generation_) listing.reset();
  }
  if (listing) ready_.emit(listing);
}

}  // namespace filemanager
