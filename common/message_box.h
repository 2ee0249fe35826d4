// The modal message box both programs report through. Windows take it as an
// interface, so tests can script the answers and read what was shown.
#pragma once

#include <string>

namespace common {

// Style values: one icon value plus one buttons value.
inline constexpr int kOkOnly = 0;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;

// The button pressed.
inline constexpr int kOk = 1;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Shows prompt modally and returns the button pressed. An empty title shows the
  // application title instead.
  virtual int Show(const std::string& prompt, int style, const std::string& title = "") = 0;
};

}  // namespace common
