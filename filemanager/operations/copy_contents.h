// Copying a regular file's bytes from one descriptor into a new, empty one, by the
// fastest means the file systems offer, keeping holes as holes.
#pragma once

#include <sys/stat.h>

#include "filemanager/operations/file_operations.h"

namespace filemanager {

// Copies the contents of from (whose fstat is source) into the empty file to. Tries a
// reflink (FICLONE), then copy_file_range, then read/write; holes found with
// SEEK_DATA/SEEK_HOLE are skipped so a sparse file stays sparse. Reports progress and
// polls cancel between chunks (cancel throws "Operation cancelled"). start_writeback
// starts writing finished chunks to disk during the copy, for a caller that will fsync.
void CopyContents(int from, int to, const struct stat& source, OperationMonitor& monitor,
                  bool start_writeback);

// Throws "Operation cancelled" when the monitor asks for it.
void CheckCancelled(const OperationMonitor& monitor);

}  // namespace filemanager
