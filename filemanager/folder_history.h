// The folders the window's folder list has had open, for its Back and Forward
// buttons: a browser-style history that lives as long as the window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace filemanager {

class FolderHistory {
 public:
  // A folder was opened by any means other than Back or Forward: it becomes the
  // current entry and the entries ahead of the old current one are dropped. Opening
  // the current folder again adds nothing.
  void Visit(const std::string& folder);

  // The folder Back or Forward would open, if any.
  std::optional<std::string> Previous() const;
  std::optional<std::string> Next() const;

  // The folder list reached Previous() or Next().
  void StepBack();
  void StepForward();

  // Previous() or Next() could not be opened (it vanished, say): the entry is
  // dropped so the next Back or Forward goes on to the one beyond it.
  void DropPrevious();
  void DropNext();

 private:
  std::vector<std::string> folders_;
  std::size_t current_ = 0;  // index into folders_ when it is not empty
};

}  // namespace filemanager
