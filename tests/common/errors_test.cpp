#include "common/errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using common::Error;

TEST(ResumeNext, AFailingStatementIsSkippedAndTheNextRuns) {
  std::vector<int> ran;
  common::ResumeNext([&] { ran.push_back(1); },
                     [&] {
                       throw Error("refused");
                       ran.push_back(2);
                     },
                     [&] { ran.push_back(3); });
  EXPECT_EQ(ran, (std::vector<int>{1, 3}));
}

TEST(TrapFailure, TheFirstErrorEndsTheBodyAndReachesTheFailureBranch) {
  std::vector<std::string> log;
  common::TrapFailure(
      [&] {
        log.push_back("before");
        throw Error("Permission denied");
        log.push_back("after");
      },
      [&](const std::string& description) { log.push_back("failed: " + description); });
  EXPECT_EQ(log, (std::vector<std::string>{"before", "failed: Permission denied"}));
}

TEST(TrapFailure, ABodyThatSucceedsNeverReachesTheFailureBranch) {
  bool failed = false;
  common::TrapFailure([] {}, [&](const std::string&) { failed = true; });
  EXPECT_FALSE(failed);
}

}  // namespace
