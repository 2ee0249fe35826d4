// Runs one copy or move of the file manager's operations core, for the benchmark
// script beside it: copy_move_driver copy|move SOURCE DESTINATION. Prints the error's
// description and exits with 1 on failure.
#include <cstdio>
#include <cstring>
#include <exception>

#include "filemanager/operations/file_operations.h"

namespace {

class QuietMonitor : public filemanager::OperationMonitor {
 public:
  void Progress(std::uint64_t, std::uint64_t) override {}
  bool Cancelled() const override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || (std::strcmp(argv[1], "copy") != 0 && std::strcmp(argv[1], "move") != 0)) {
    std::fprintf(stderr, "usage: %s copy|move SOURCE DESTINATION\n", argv[0]);
    return 2;
  }
  QuietMonitor monitor;
  try {
    if (std::strcmp(argv[1], "copy") == 0) {
      filemanager::CopyFile(argv[2], argv[3], monitor);
    } else {
      filemanager::MoveFile(argv[2], argv[3], monitor);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
