// The zoom steps: in, out and back to 1, from a step, between steps and at the ends.
#include "browser/zoom_steps.h"

#include <gtest/gtest.h>

namespace {

TEST(ZoomSteps, StepInOutAndReset) {
  struct Row {
    double current;
    int direction;
    double next;
  };
  const Row rows[] = {
      {1.0, 1, 1.1},  {1.1, 1, 1.25},  {2.5, 1, 3.0},  {3.0, 1, 3.0},
      {1.0, -1, 0.9}, {0.67, -1, 0.5}, {0.3, -1, 0.3}, {1.2, 1, 1.25},
      {1.2, -1, 1.1}, {2.0, 0, 1.0},   {0.1, 1, 0.3},  {5.0, -1, 3.0},
  };
  for (const Row& row : rows)
    EXPECT_DOUBLE_EQ(browser::NextZoom(row.current, row.direction), row.next)
        << row.current << " " << row.direction;
}

}  // namespace
