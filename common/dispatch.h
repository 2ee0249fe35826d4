// The edge where an untrapped error reaches the toolkit's event dispatch: it is
// written to standard error and the program keeps running.
#pragma once

#include <utility>

namespace common {

// Installs the toolkit-wide handler for errors that no handler trapped.
void InstallDispatchErrorHandler();

// Reports the exception being handled the way the toolkit's dispatch does. Call
// only from a catch block.
void ReportUntrappedError() noexcept;

// Runs a callback that C code invoked (a signal of a plain GObject, say), so that an
// error never unwinds through C frames.
template <class Callback>
void Dispatch(Callback&& callback) noexcept {
  try {
    std::forward<Callback>(callback)();
  } catch (...) {
    ReportUntrappedError();
  }
}

}  // namespace common
