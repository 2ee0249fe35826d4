#include "common/timer.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "support/ui.h"

namespace {

using testing_support::PumpUntil;

TEST(Timer, TicksWhileEnabledAndStopsWhenAHandlerSwitchesItOff) {
  common::Timer timer(5);
  int ticks = 0;
  timer.signal_timer().connect([&] {
    if (++ticks == 3) timer.Enabled(false);
  });
  EXPECT_FALSE(timer.Enabled());
  timer.Enabled(true);
  ASSERT_TRUE(PumpUntil([&] { return !timer.Enabled(); }));
  testing_support::PumpFor(std::chrono::milliseconds(30));
  EXPECT_EQ(ticks, 3);
}

TEST(Timer, AnErrorInAHandlerLeavesItTicking) {
  common::Timer timer(5);
  int ticks = 0;
  timer.signal_timer().connect([&] {
    ++ticks;
    throw common::Error("tick failed");
  });
  timer.Enabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  EXPECT_TRUE(timer.Enabled());
}

TEST(Timer, SwitchedOffAndOnInsideATickKeepsOneSource) {
  common::Timer timer(5);
  int ticks = 0;
  timer.signal_timer().connect([&] {
    ++ticks;
    timer.Enabled(false);
    if (ticks < 4) timer.Enabled(true);
  });
  timer.Enabled(true);
  ASSERT_TRUE(PumpUntil([&] { return !timer.Enabled(); }));
  testing_support::PumpFor(std::chrono::milliseconds(30));
  EXPECT_EQ(ticks, 4);
}

}  // namespace
