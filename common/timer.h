// A timer control: while Enabled it raises Timer once per Interval.
#pragma once

#include <sigc++/connection.h>
#include <sigc++/signal.h>

namespace common {

class Timer {
 public:
  explicit Timer(unsigned interval_ms) : interval_ms_(interval_ms) {}
  ~Timer() { tick_.disconnect(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  bool Enabled() const { return tick_.connected(); }
  void Enabled(bool enabled);
  unsigned Interval() const { return interval_ms_; }

  sigc::signal<void()>& signal_timer() { return timer_; }

 private:
  bool Tick();

  unsigned interval_ms_;
  unsigned generation_ = 0;
  sigc::connection tick_;
  sigc::signal<void()> timer_;
};

}  // namespace common
