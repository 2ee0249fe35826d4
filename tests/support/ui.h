// Helpers for tests that drive real windows: run the event loop until something
// happens, and a message box whose answers the test scripts.
#pragma once

#include <glibmm/main.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/message_box.h"

namespace testing_support {

// Runs the event loop until condition holds or timeout passes; returns condition.
inline bool PumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
  auto context = Glib::MainContext::get_default();
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    context->iteration(false);
    if (!context->pending()) g_usleep(1000);
  }
  return true;
}

// Runs the event loop for a while, for things that must not happen.
inline void PumpFor(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

// One message box as it was shown.
struct ShownMessage {
  std::string prompt;
  int style;
  std::string title;
  bool operator==(const ShownMessage&) const = default;
};

class ScriptedMessageBox : public common::MessageBox {
 public:
  // Answers are used in order; with none left, a box answers OK (or No for Yes/No).
  std::deque<int> answers;
  std::vector<ShownMessage> shown;

  int Show(const std::string& prompt, int style, const std::string& title = "") override {
    shown.push_back({prompt, style, title});
    if (!answers.empty()) {
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return (style & 0x0F) == common::kYesNo ? common::kNo : common::kOk;
  }
};

}  // namespace testing_support
