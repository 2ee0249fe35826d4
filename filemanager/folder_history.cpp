#include "filemanager/folder_history.h"

namespace filemanager {

void FolderHistory::Visit(const std::string& folder) {
  if (!folders_.empty()) {
    if (folders_[current_] == folder) return;
    folders_.resize(current_ + 1);
  }
  folders_.push_back(folder);
  current_ = folders_.size() - 1;
}

std::optional<std::string> FolderHistory::Previous() const {
  if (folders_.empty() || current_ == 0) return std::nullopt;
  return folders_[current_ - 1];
}

std::optional<std::string> FolderHistory::Next() const {
  if (current_ + 1 >= folders_.size()) return std::nullopt;
  return folders_[current_ + 1];
}

void FolderHistory::StepBack() {
  if (Previous()) --current_;
}

void FolderHistory::StepForward() {
  if (Next()) ++current_;
}

void FolderHistory::DropPrevious() {
  if (!Previous()) return;
  folders_.erase(folders_.begin() + static_cast<std::ptrdiff_t>(current_ - 1));
  --current_;
}

void FolderHistory::DropNext() {
  if (Next()) folders_.erase(folders_.begin() + static_cast<std::ptrdiff_t>(current_ + 1));
}

}  // namespace filemanager
