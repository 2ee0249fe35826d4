// Entry point of the test programs that need no display.
#include <gtest/gtest.h>

#include "support/fatal_log.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing_support::MakeLogWarningsFatal();
  return RUN_ALL_TESTS();
}
