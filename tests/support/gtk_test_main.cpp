// Entry point of the test programs that create real windows: they need a display
// (the test command provides a virtual one) and the toolkit prepared as the programs do.
#include <gtest/gtest.h>

#include "common/application.h"
#include "support/fatal_log.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing_support::MakeLogWarningsFatal();
  // Listing the tests (as the build does to register them) needs no display.
  if (!GTEST_FLAG_GET(list_tests)) common::InitToolkit();
  return RUN_ALL_TESTS();
}
