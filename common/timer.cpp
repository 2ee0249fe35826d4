#include "common/timer.h"

#include <glibmm/main.h>

#include "common/dispatch.h"

namespace common {

void Timer::Enabled(bool enabled) {
  if (enabled == Enabled()) return;
  if (enabled) {
    ++generation_;
    tick_ = Glib::signal_timeout().connect(sigc::mem_fun(*this, &Timer::Tick), interval_ms_);
  } else {
    tick_.disconnect();
  }
}

bool Timer::Tick() {
  const unsigned generation = generation_;
  // An error in a tick's handler must not stop the ticks that follow.
  Dispatch([this] { timer_.emit(); });
  // The handler may have switched the timer off, or off and on again, which made a
  // new source; this one then ends.
  return generation == generation_ && Enabled();
}

}  // namespace common
