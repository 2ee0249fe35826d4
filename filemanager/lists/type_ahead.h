// Type-ahead for a list: letters typed in quick succession pick the row whose name
// starts with them.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace filemanager {

class TypeAhead {
 public:
  using Clock = std::chrono::steady_clock;
  // A pause longer than this starts a new search.
  static constexpr std::chrono::milliseconds kReset{1000};

  // The row to select after the user typed text (UTF-8) at now, among count rows named
  // by name (UTF-8), with selected the selected row (-1 for none); nullopt when no row
  // fits. A new search starts after the selected row; one more letter refines the
  // search from the selected row on; the same letter again goes on to the next row
  // that starts with it.
  std::optional<int> Type(const std::string& text, Clock::time_point now, int count,
                          const std::function<std::string(int)>& name, int selected);

 private:
  std::string typed_;
  Clock::time_point last_{};
};

}  // namespace filemanager
