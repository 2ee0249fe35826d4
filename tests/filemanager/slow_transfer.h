// A copy or move that takes its time, for the progress window and Cancel: it reports
// progress in steps until it is cancelled or its time is up.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

#include "common/errors.h"
#include "filemanager/progress_file_system_object.h"

namespace testing_support {

inline filemanager::ProgressFileSystemObject::Transfer SlowTransfer(
    std::chrono::milliseconds duration) {
  return
      [duration](const std::string&, const std::string&, filemanager::OperationMonitor& monitor) {
        const auto end = std::chrono::steady_clock::now() + duration;
        std::uint64_t done = 0;
        while (std::chrono::steady_clock::now() < end) {
          if (monitor.Cancelled()) throw common::Error("Operation cancelled");
          done += 1024 * 1024;
          monitor.Progress(done, 1024ull * 1024 * 1024);
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
      };
}

// The core's operations with copy and move replaced by slow ones.
inline filemanager::ProgressFileSystemObject::Operations SlowOperations(
    std::chrono::milliseconds duration) {
  auto operations = filemanager::ProgressFileSystemObject::CoreOperations();
  operations.copy = SlowTransfer(duration);
  operations.move = SlowTransfer(duration);
  return operations;
}

}  // namespace testing_support
