// Which match of a search in the page is selected, for the find bar's "2 of 5". The
// engine counts the matches but does not say which one it selected, so the index is
// kept here: 1 on a new search, one on or back with each step, wrapping round at
// either end. Steps taken before the count arrives count once it does. Pure logic.
#pragma once

#include <string>

namespace browser {

class FindMatches {
 public:
  // Counts above most are taken as "more than most", with no index.
  explicit FindMatches(int most) : most_(most) {}

  // A new search: the first match is selected, and the count is not known yet.
  void NewSearch() {
    count_ = kUnknown;
    index_ = 1;
  }
  // No search: nothing to show.
  void Clear() { count_ = kUnknown; }
  void Counted(int count) {
    count_ = count;
    Step(0);
  }
  // 1 to the next match, -1 to the previous one.
  void Step(int direction) {
    index_ += direction;
    if (count_ > 0 && count_ <= most_) index_ = ((index_ - 1) % count_ + count_) % count_ + 1;
  }

  bool None() const { return count_ == 0; }
  // "2 of 5", "No matches", or empty while nothing is counted.
  std::string Text() const {
    if (count_ == kUnknown) return "";
    if (count_ == 0) return "No matches";
    if (count_ > most_) return "More than " + std::to_string(most_) + " matches";
    return std::to_string(index_) + " of " + std::to_string(count_);
  }

 private:
  static constexpr int kUnknown = -1;
  int most_;
  int count_ = kUnknown;
  int index_ = 1;
};

}  // namespace browser
