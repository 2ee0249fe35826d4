// The data copy loop. A reflink shares the blocks outright where the file system can;
// otherwise each data extent goes through copy_file_range, which lets the kernel copy
// without a round trip through user space (or offload it), and read/write remains for
// pairs of file systems it does not serve. Chunks are a few MiB, so progress and cancel
// are answered within milliseconds.
#include "filemanager/operations/copy_contents.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>

#include "common/errors.h"
#include "filemanager/operations/error_text.h"

namespace filemanager {
namespace {

constexpr std::uint64_t kChunk = 8u << 20;
// Small enough to stay in the processor's cache between the read and the write, which
// measured faster than larger buffers.
constexpr std::size_t kBufferSize = 128u << 10;
constexpr std::uint64_t kWritebackStep = 16u << 20;

class ContentCopier {
 public:
  ContentCopier(int from, int to, const struct stat& source, OperationMonitor& monitor,
                bool start_writeback)
      : from_(from),
        to_(to),
        size_(static_cast<std::uint64_t>(source.st_size)),
        may_have_holes_(static_cast<std::uint64_t>(source.st_blocks) * 512 < size_),
        monitor_(monitor),
        start_writeback_(start_writeback) {}

  void Run() {
    CheckCancelled(monitor_);
    // The total is known before the first byte moves, however long that takes.
    monitor_.Progress(0, size_);
    if (ioctl(to_, FICLONE, from_) == 0) {
      monitor_.Progress(size_, size_);
      return;
    }
    // A failed reflink may have shared part of the file; start again from empty. Each
    // truncation is made only when it changes the length: ext4 takes a truncation to
    // zero as a sign of a rewritten file and flushes it to disk when it is closed.
    SetLength(0);
    std::uint64_t end = may_have_holes_ ? CopyExtents() : CopyRange(0, size_);
    // Reading goes on to the end of the file, wherever that is now: files that report no
    // size (those under /proc, say) have contents all the same, and a file that grew
    // meanwhile is copied whole (the caller then sees from its times that it changed).
    if (end == size_) end = CopyRange(end, UINT64_MAX);
    // The length covers a hole at the end, which no write has reached.
    SetLength(end);
  }

 private:
  void SetLength(std::uint64_t length) {
    struct stat status;
    if (fstat(to_, &status) != 0) ThrowErrno(errno);
    if (static_cast<std::uint64_t>(status.st_size) == length) return;
    if (ftruncate(to_, static_cast<off_t>(length)) != 0) ThrowErrno(errno);
  }

  // Copies each data extent, skipping holes; returns where the source ended.
  std::uint64_t CopyExtents() {
    std::uint64_t position = 0;
    while (position < size_) {
      off_t data = lseek(from_, static_cast<off_t>(position), SEEK_DATA);
      if (data < 0) {
        if (errno == ENXIO) break;  // only a hole remains
        if (errno != EINVAL && errno != EOPNOTSUPP) ThrowErrno(errno);
        return CopyRange(position, size_);  // no hole detection here: all is data
      }
      off_t hole = lseek(from_, data, SEEK_HOLE);
      if (hole < 0) ThrowErrno(errno);
      const std::uint64_t begin = static_cast<std::uint64_t>(data);
      const std::uint64_t end = std::min(size_, static_cast<std::uint64_t>(hole));
      if (begin >= size_) break;
      monitor_.Progress(begin, size_);
      const std::uint64_t reached = CopyRange(begin, end);
      if (reached < end) return reached;
      position = end;
    }
    monitor_.Progress(size_, size_);
    return size_;
  }

  // Copies [begin, end) to the same offsets; returns where it stopped, which is before
  // end only when the source ended early (it shrank meanwhile).
  std::uint64_t CopyRange(std::uint64_t begin, std::uint64_t end) {
    while (begin < end) {
      CheckCancelled(monitor_);
      const std::uint64_t want = std::min(kChunk, end - begin);
      ssize_t done;
      if (use_copy_file_range_) {
        loff_t in = static_cast<loff_t>(begin), out = static_cast<loff_t>(begin);
        done = copy_file_range(from_, &in, to_, &out, want, 0);
        // Some file systems answer 0 rather than an error when they cannot serve the
        // call; read/write then tells a real end of file from that.
        if (done == 0 || (done < 0 && CopyFileRangeUnavailable(errno))) {
          use_copy_file_range_ = false;
          continue;
        }
      } else {
        done = ReadWrite(begin, want);
      }
      if (done < 0) {
        if (errno == EINTR) continue;
        ThrowErrno(errno);
      }
      if (done == 0) return begin;
      begin += static_cast<std::uint64_t>(done);
      monitor_.Progress(begin, std::max(size_, begin));
      if (start_writeback_ && begin - written_back_ >= kWritebackStep) StartWriteback(begin);
    }
    return begin;
  }

  static bool CopyFileRangeUnavailable(int error) {
    return error == EXDEV || error == EINVAL || error == EOPNOTSUPP || error == ENOSYS ||
           error == EBADF;
  }

  // Up to want bytes at offset, a buffer at a time; returns the bytes copied, fewer than
  // want only at the end of the source (0 when it is already there), or -1 with errno.
  ssize_t ReadWrite(std::uint64_t offset, std::uint64_t want) {
    if (!buffer_) buffer_ = std::make_unique<char[]>(kBufferSize);
    std::uint64_t copied = 0;
    while (copied < want) {
      const ssize_t got =
          pread(from_, buffer_.get(), std::min<std::uint64_t>(want - copied, kBufferSize),
                static_cast<off_t>(offset + copied));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return copied > 0 ? static_cast<ssize_t>(copied) : -1;
      if (got == 0) break;
      WriteAll(buffer_.get(), static_cast<std::size_t>(got), offset + copied);
      copied += static_cast<std::uint64_t>(got);
    }
    return static_cast<ssize_t>(copied);
  }

  void WriteAll(const char* data, std::size_t length, std::uint64_t offset) {
    while (length > 0) {
      const ssize_t n = pwrite(to_, data, length, static_cast<off_t>(offset));
      if (n < 0) {
        if (errno == EINTR) continue;
        ThrowErrno(errno);
      }
      data += n;
      length -= static_cast<std::size_t>(n);
      offset += static_cast<std::uint64_t>(n);
    }
  }

  // Lets the disk start on what is written, so the caller's final fsync waits less.
  void StartWriteback(std::uint64_t upto) {
    sync_file_range(to_, static_cast<off_t>(written_back_),
                    static_cast<off_t>(upto - written_back_), SYNC_FILE_RANGE_WRITE);
    written_back_ = upto;
  }

  int from_;
  int to_;
  std::uint64_t size_;
  bool may_have_holes_;
  OperationMonitor& monitor_;
  bool start_writeback_;
  bool use_copy_file_range_ = true;
  std::uint64_t written_back_ = 0;
  std::unique_ptr<char[]> buffer_;
};

}  // namespace

void CheckCancelled(const OperationMonitor& monitor) {
  if (monitor.Cancelled()) throw common::Error(kCancelled);
}

void CopyContents(int from, int to, const struct stat& source, OperationMonitor& monitor,
                  bool start_writeback) {
  ContentCopier(from, to, source, monitor, start_writeback).Run();
}

}  // namespace filemanager
