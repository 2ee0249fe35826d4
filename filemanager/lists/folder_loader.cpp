// Loading on a worker thread, the window's short wait for the folder to open, and
// handing later answers back to the user-interface thread.
#include "filemanager/lists/folder_loader.h"

#include <glib.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

#include "common/dispatch.h"
#include "common/errors.h"

namespace filemanager {

namespace {

// How long the window waits for a folder to open: long enough for any folder that
// answers at all, short enough that a silent one goes unnoticed.
constexpr auto kAnswerWait = std::chrono::milliseconds(150);
// Entries read before the folder counts as opened: a few milliseconds of work, so an
// ordinary folder is listed at once and a huge one fills in later.
constexpr std::size_t kReadAtOnce = 4096;
// Entries the worker reads between two looks at whether it should stop.
constexpr std::size_t kReadChunk = 1024;

}  // namespace

// One load, shared by the worker that runs it and the loader that waits for it.
struct FolderLoader::Job {
  enum class State { kOpening, kOpened, kFailed };

  // User-interface thread only: the loader that still wants the answers, or null.
  FolderLoader* owner = nullptr;
  std::stop_source stop;

  std::mutex mutex;
  std::condition_variable answered;
  // Guarded by mutex.
  State state = State::kOpening;
  Opened opened;
  std::string error;
  Listing rest;

  void Drop() {
    stop.request_stop();
    owner = nullptr;
  }
  void Deliver() {
    if (owner) owner->Job_Answered(*this);
  }
};

namespace {

using Job = FolderLoader::Job;

gboolean DeliverOnUiThread(gpointer data) {
  auto& job = *static_cast<std::shared_ptr<Job>*>(data);
  common::Dispatch([&] { job->Deliver(); });
  return G_SOURCE_REMOVE;
}

// Records an answer under the job's lock, wakes a loader waiting for it, and lets the
// user-interface thread know.
template <class Record>
void Answer(const std::shared_ptr<Job>& job, Record record) {
  {
    std::lock_guard lock(job->mutex);
    record(*job);
  }
  job->answered.notify_all();
  g_idle_add_full(G_PRIORITY_DEFAULT, &DeliverOnUiThread, new std::shared_ptr<Job>(job),
                  [](gpointer data) { delete static_cast<std::shared_ptr<Job>*>(data); });
}

void Work(const std::shared_ptr<Job>& job, const std::string& path, EntryKind kind,
          const NamePattern& pattern) {
  std::unique_ptr<FolderReader> reader;
  bool read_all = false;
  try {
    reader = std::make_unique<FolderReader>(path, kind, pattern);
    read_all = reader->ReadSome(kReadAtOnce);
    FolderLoader::Opened opened{reader->Identity(), nullptr};
    if (read_all) opened.listing = std::make_shared<const FolderListing>(reader->TakeSorted());
    Answer(job, [&](Job& answered) {
      answered.state = Job::State::kOpened;
      answered.opened = std::move(opened);
    });
  } catch (const common::Error& error) {
    Answer(job, [&](Job& answered) {
      answered.state = Job::State::kFailed;
      answered.error = error.what();
    });
    return;
  }
  if (read_all) return;

  const std::stop_token stop = job->stop.get_token();
  try {
    while (!reader->ReadSome(kReadChunk))
      if (stop.stop_requested()) return;
  } catch (const common::Error&) {
    // The folder could be opened, so it is listed; an entry that cannot be read
    // part-way (a failing disk, the folder removed meanwhile) ends the listing there.
  }
  auto listing = std::make_shared<const FolderListing>(reader->TakeSorted(stop));
  if (stop.stop_requested()) return;
  Answer(job, [&](Job& answered) { answered.rest = std::move(listing); });
}

void Drop(std::shared_ptr<Job>& job) {
  if (job) job->Drop();
  job.reset();
}

}  // namespace

FolderLoader::FolderLoader() = default;

FolderLoader::~FolderLoader() {
  Drop(opening_);
  Drop(reading_);
}

std::optional<FolderLoader::Opened> FolderLoader::Load(const std::string& path, EntryKind kind,
                                                       const NamePattern& pattern) {
  Drop(opening_);
  auto job = std::make_shared<Job>();
  job->owner = this;
  std::thread(&Work, job, path, kind, pattern).detach();

  std::unique_lock lock(job->mutex);
  job->answered.wait_for(lock, kAnswerWait, [&] { return job->state != Job::State::kOpening; });
  const Job::State state = job->state;
  const Opened opened = job->opened;
  const std::string error = job->error;
  lock.unlock();

  if (state == Job::State::kOpening) {
    opening_ = std::move(job);
    return std::nullopt;
  }
  job->owner = nullptr;
  if (state == Job::State::kFailed) throw common::Error(error);
  Drop(reading_);
  if (!opened.listing) {
    job->owner = this;
    reading_ = std::move(job);
  }
  return opened;
}

void FolderLoader::Job_Answered(Job& job) {
  Job::State state;
  Opened opened;
  std::string error;
  Listing rest;
  {
    std::lock_guard lock(job.mutex);
    state = job.state;
    opened = job.opened;
    error = job.error;
    rest = job.rest;
  }
  if (&job == opening_.get() && state != Job::State::kOpening) {
    std::shared_ptr<Job> answered = std::move(opening_);
    if (state == Job::State::kFailed) {
      answered->owner = nullptr;
      failed_.emit(error);
      return;
    }
    Drop(reading_);
    if (opened.listing)
      answered->owner = nullptr;
    else
      reading_ = std::move(answered);
    opened_.emit(opened);
  } else if (&job == reading_.get() && rest) {
    reading_->owner = nullptr;
    reading_.reset();
    ready_.emit(rest);
  }
}

}  // namespace filemanager
