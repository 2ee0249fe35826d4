// Which match the find bar shows as selected: 1 on a new search, stepping on and back
// with wrapping, steps taken before the count arrives, no match, and too many to count.
#include "browser/find_matches.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(FindMatches, ShowsWhichMatchOfHowManyIsSelected) {
  struct Row {
    std::vector<int> steps_before_count;
    int count;
    std::vector<int> steps_after_count;
    const char* shown;
  };
  const Row rows[] = {
      {{}, 5, {}, "1 of 5"},
      {{}, 5, {1}, "2 of 5"},
      {{}, 5, {-1}, "5 of 5"},
      {{}, 3, {1, 1, 1}, "1 of 3"},
      {{}, 3, {1, -1, -1, -1}, "2 of 3"},
      {{1, 1}, 2, {}, "1 of 2"},
      {{-1}, 4, {1}, "1 of 4"},
      {{}, 1, {1, -1, 1}, "1 of 1"},
      {{}, 0, {}, "No matches"},
      {{}, 0, {1}, "No matches"},
      {{}, 11, {-1}, "More than 10 matches"},
  };
  for (const Row& row : rows) {
    browser::FindMatches matches(10);
    matches.NewSearch();
    EXPECT_EQ(matches.Text(), "");
    for (int step : row.steps_before_count) matches.Step(step);
    matches.Counted(row.count);
    for (int step : row.steps_after_count) matches.Step(step);
    EXPECT_EQ(matches.Text(), row.shown) << row.count;
    EXPECT_EQ(matches.None(), row.count == 0) << row.count;
  }
}

}  // namespace
