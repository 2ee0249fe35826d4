// Reading one folder for the lists: one pass of readdir that trusts the entry type
// the file system reports (stat only for symbolic links and unknown types), every
// name kept in one buffer, then one sort into the order a file chooser shows.
#pragma once

#include <dirent.h>

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "filemanager/lists/folder_identity.h"
#include "filemanager/lists/name_pattern.h"

namespace filemanager {

// The names of a folder's entries of one kind, in natural order.
class FolderListing {
 public:
  std::size_t size() const { return offsets_.size(); }
  bool empty() const { return offsets_.empty(); }
  // The exact bytes of the entry's name, NUL-terminated.
  const char* Name(std::size_t index) const { return names_.data() + offsets_[index]; }

 private:
  friend class FolderReader;
  std::string names_;  // each name followed by '\0'
  std::vector<std::uint32_t> offsets_;
};

// Which entries a reader keeps: subfolders (symbolic links to folders included), or
// everything else that matches a pattern.
enum class EntryKind { kFolders, kFiles };

class FolderReader {
 public:
  // Opens the folder; throws common::Error saying why when it cannot be read.
  FolderReader(const std::string& path, EntryKind kind, NamePattern pattern = NamePattern());
  ~FolderReader();
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;

  // The folder that was opened.
  FolderIdentity Identity() const { return identity_; }

  // Reads up to max_entries more entries; true once the folder has been read to its end.
  // A read error part-way throws common::Error.
  bool ReadSome(std::size_t max_entries);
  // Sorts what was read and hands it over; stops early (unsorted) when stop is requested.
  FolderListing TakeSorted(std::stop_token stop = {});

 private:
  bool Keeps(const dirent& entry) const;

  std::string path_;
  DIR* dir_;
  FolderIdentity identity_;
  EntryKind kind_;
  NamePattern pattern_;
  FolderListing listing_;
};

// Natural order as the toolkit's file chooser sorts: case-insensitive, digits by value,
// by each name's collation key; names with equal keys fall back to their bytes.
class NaturalOrder {
 public:
  // Keys for the names at offsets into names; keys and names must outlive the order.
  NaturalOrder(const std::string& names, const std::string& keys)
      : names_(names.data()), keys_(keys.data()) {}
  struct Entry {
    std::uint32_t name;
    std::uint32_t key;
  };
  bool operator()(const Entry& a, const Entry& b) const;

 private:
  const char* names_;
  const char* keys_;
};

// Appends name's collation key, NUL-terminated, to keys.
void AppendCollationKey(const char* name, std::string& keys);

}  // namespace filemanager
