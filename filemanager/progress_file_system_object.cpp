#include "filemanager/progress_file_system_object.h"

#include <fcntl.h>
#include <glib.h>
#include <glibmm/convert.h>
#include <glibmm/main.h>
#include <gtkmm/eventcontrollerlegacy.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <exception>
#include <thread>

#include "common/errors.h"
#include "filemanager/operations/error_text.h"
#include "filemanager/operations/name_operations.h"
#include "filemanager/operations/unique_fd.h"

namespace filemanager {

namespace {

// What the worker thread and the waiting UI thread share.
class SharedMonitor : public OperationMonitor {
 public:
  void Progress(std::uint64_t done, std::uint64_t total) override {
    total_ = total;
    done_ = done;
  }
  bool Cancelled() const override { return cancelled_; }

  std::atomic<std::uint64_t> done_{0};
  std::atomic<std::uint64_t> total_{0};
  std::atomic<bool> cancelled_{false};
};

// While an operation runs the window must be painted but must not act on input: a
// second paste, or closing the window, in the middle of the first would pull the
// state from under it.
class InputBlocker {
 public:
  explicit InputBlocker(Gtk::Window& window)
      : window_(window), controller_(Gtk::EventControllerLegacy::create()) {
    controller_->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
    controller_->signal_event().connect(sigc::ptr_fun(&InputBlocker::Swallow), false);
    window_.add_controller(controller_);
    close_ = window_.signal_close_request().connect(sigc::ptr_fun(&InputBlocker::Refuse), false);
  }
  ~InputBlocker() {
    close_.disconnect();
    window_.remove_controller(controller_);
  }
  InputBlocker(const InputBlocker&) = delete;
  InputBlocker& operator=(const InputBlocker&) = delete;

 private:
  static bool Swallow(const Glib::RefPtr<const Gdk::Event>&) { return true; }
  static bool Refuse() { return true; }

  Gtk::Window& window_;
  Glib::RefPtr<Gtk::EventControllerLegacy> controller_;
  sigc::connection close_;
};

constexpr auto kRefreshInterval = std::chrono::milliseconds(100);

}  // namespace

ProgressFileSystemObject::Operations ProgressFileSystemObject::CoreOperations() {
  return {&filemanager::CopyFile, &filemanager::MoveFile, &filemanager::DeleteFile};
}

ProgressFileSystemObject::ProgressFileSystemObject(Gtk::Window& owner, Operations operations,
                                                   std::chrono::milliseconds progress_delay)
    : owner_(owner), operations_(std::move(operations)), progress_delay_(progress_delay) {}

std::string ProgressFileSystemObject::GetFileName(const std::string& path) {
  return FileNameOf(path);
}

void ProgressFileSystemObject::CopyFile(const std::string& source, const std::string& destination) {
  Run(IntoDestinationFolder(operations_.copy), "Copying file", source, destination);
}

void ProgressFileSystemObject::MoveFile(const std::string& source, const std::string& destination) {
  Run(IntoDestinationFolder(operations_.move), "Moving file", source, destination);
}

void ProgressFileSystemObject::DeleteFile(const std::string& path, bool /*force*/) {
  const auto remove = [this](const std::string& file, const std::string&, OperationMonitor&) {
    operations_.remove(file);
  };
  Run(remove, "Deleting file", path, "");
}

void ProgressFileSystemObject::RenameFile(const std::string& folder, const std::string& name,
                                          const std::string& new_name) {
  const auto rename = [&](const std::string&, const std::string&, OperationMonitor&) {
    RenameEntry(folder, name, new_name);
  };
  Run(rename, "Renaming file", name, "");
}

void ProgressFileSystemObject::CreateFolder(const std::string& folder, const std::string& name) {
  const auto make = [&](const std::string&, const std::string&, OperationMonitor&) {
    MakeFolder(folder, name);
  };
  Run(make, "Creating folder", name, "");
}

// The folder is opened and checked on the worker, since opening it can hang, and the
// operation is handed the open folder itself (through /proc/self/fd), so it writes
// into the folder checked whatever happens to its path meanwhile.
ProgressFileSystemObject::Transfer ProgressFileSystemObject::IntoDestinationFolder(
    const Transfer& transfer) {
  const std::optional<FolderIdentity> expected = std::exchange(destination_folder_, std::nullopt);
  if (!expected) return transfer;
  return [transfer, folder = *expected](const std::string& source, const std::string& destination,
                                        OperationMonitor& monitor) {
    const auto slash = destination.rfind('/');
    if (slash == std::string::npos) throw common::Error(kNoSuchFolder);
    const std::string path = slash == 0 ? "/" : destination.substr(0, slash);
    const UniqueFd opened(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened) {
      if (errno == ENOENT || errno == ENOTDIR) throw common::Error(kNoSuchFolder);
      ThrowErrno(errno);
    }
    struct stat status;
    if (fstat(opened.get(), &status) != 0) ThrowErrno(errno);
    if (FolderIdentity{status.st_dev, status.st_ino} != folder) throw common::Error(kNoSuchFolder);
    transfer(source, "/proc/self/fd/" + std::to_string(opened.get()) + destination.substr(slash),
             monitor);
  };
}

void ProgressFileSystemObject::Run(const Transfer& transfer, const std::string& title,
                                   const std::string& source, const std::string& destination) {
  auto context = Glib::MainContext::get_default();
  SharedMonitor monitor;
  std::atomic<bool> finished{false};
  std::exception_ptr error;

  InputBlocker blocker(owner_);
  std::thread worker([&] {
    try {
      transfer(source, destination, monitor);
    } catch (...) {
      error = std::current_exception();
    }
    finished = true;
    // Ends the UI thread's wait at once rather than at its next tick.
    g_main_context_wakeup(context->gobj());
  });

  const auto show_at = std::chrono::steady_clock::now() + progress_delay_;
  auto tick = [&] {
    if (!progress_ && std::chrono::steady_clock::now() >= show_at) {
      progress_ =
          std::make_unique<ProgressWindow>(&owner_, title, Glib::filename_display_basename(source));
      progress_->signal_cancel().connect([&monitor] { monitor.cancelled_ = true; });
      progress_->present();
    }
    if (progress_) progress_->Progress(monitor.done_, monitor.total_);
    return true;
  };
  sigc::connection ticks = Glib::signal_timeout().connect(tick, kRefreshInterval.count());

  while (!finished) context->iteration(true);
  worker.join();
  ticks.disconnect();
  progress_.reset();
  if (error) std::rethrow_exception(error);
}

}  // namespace filemanager
