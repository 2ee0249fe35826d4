// Which folder a path led to when it was opened: the file system's device and inode
// number, which tell a folder from another of the same name (a drive mounted over
// it, or a folder made anew after the first was moved away).
#pragma once

#include <sys/types.h>

namespace filemanager {

struct FolderIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};

}  // namespace filemanager
