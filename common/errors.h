// How a handler treats an error raised by an outside component. Each of the three
// semantics is one construct here, so a handler's choice shows at a glance:
//   ResumeNext(...)     a statement that throws is abandoned, the next one runs;
//   TrapFailure(b, f)   the first error in b goes to f with its description;
//   no trap             plain code: the error leaves the handler and reaches whoever
//                       ran it, ultimately the toolkit's dispatch (see dispatch.h).
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace common {

// An outside component's failure, carrying the description a user may be shown.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs each statement in turn; one that throws is abandoned and nothing is reported.
template <class... Statements>
void ResumeNext(Statements&&... statements) {
  auto attempt = [](auto&& statement) {
    try {
      statement();
    } catch (const std::exception&) {
      // Resume-next: the failed statement is simply skipped.
    }
  };
  (attempt(std::forward<Statements>(statements)), ...);
}

// Runs body; the first error it raises ends it and goes to on_failure with its
// description. What body did before the error stays done.
template <class Body, class OnFailure>
void TrapFailure(Body&& body, OnFailure&& on_failure) {
  try {
    body();
  } catch (const std::exception& error) {
    on_failure(std::string(error.what()));
  }
}

}  // namespace common
