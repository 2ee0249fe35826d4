// The two ends of an operation: the source file, opened so that a named pipe cannot
// hang it and a device is never read, and the destination folder, held open so every
// later step acts on the same folder whatever happens to its path meanwhile.
#pragma once

#include <sys/stat.h>

#include <string>

#include "filemanager/operations/unique_fd.h"

namespace filemanager {

struct Destination {
  UniqueFd folder;
  std::string name;
};

// Opens the folder part of path and keeps the name part; throws when the folder cannot
// be opened or the name is empty.
Destination OpenDestination(const std::string& path);

// Opens the regular file at path for reading and fills status from the open file.
// follow_symlink reads what a symbolic link points to; otherwise a symbolic link is
// refused. Anything but a regular file is refused with a description of what it is.
UniqueFd OpenRegularSource(const std::string& path, bool follow_symlink, struct stat& status);

// The status of the entry at path itself (a symbolic link is not followed).
struct stat StatusOfEntry(const std::string& path);

// Throws when the destination name exists: "Source and destination are the same file"
// when it is the entry source or leads to it (or, for follow_source, to what source
// leads to), "File already exists" otherwise. An early answer only: the final step
// refuses a name that appears later all the same.
void RefuseExisting(const Destination& destination, const struct stat& source,
                    const struct stat* followed_source);

// What a new file keeps of its source: a copy keeps the permission bits and times, as
// cp does; a move also keeps, where the system allows, the owner (and with it any
// set-id bits) and the extended attributes (access lists, labels), for a moved file
// should lose nothing.
enum class Keep { kCopyAttributes, kEverything };

// Gives the new file to what it keeps of the source open as from (whose fstat is source).
void KeepAttributes(int from, int to, const struct stat& source, Keep keep);

bool SameEntry(const struct stat& a, const struct stat& b);

// True when now describes the file that then described, with the same size,
// modification time and change time: nothing about it has changed since (a write, a
// truncation, new permissions, a name given or taken away).
bool Unchanged(const struct stat& then, const struct stat& now);

// What became of the file open as fd since then, its status when the copy began:
// still as it was, changed, or without a name left (whatever happened to it before).
enum class SourceNow { kAsCopied, kChanged, kRemoved };
SourceNow CompareSource(int fd, const struct stat& then);

}  // namespace filemanager
