// One pass over a folder with readdir, and the natural-order sort of what it found.
#include "filemanager/lists/folder_listing.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>
#include <thread>

#include "common/errors.h"
#include "filemanager/lists/folder_path.h"
#include "filemanager/operations/staging_name.h"

namespace filemanager {

namespace {

// Names beyond this many bytes in one folder are refused, which keeps every name's and
// every collation key's offset within 32 bits.
constexpr std::size_t kMaxNameBytes = std::size_t{1} << 30;
// From this many names on, collation keys are made on two threads.
constexpr std::size_t kKeysOnTwoThreads = 16384;

// Makes the collation key of each entry's name into keys, noting where it starts.
void MakeKeys(const std::string& names, std::span<NaturalOrder::Entry> entries, std::string& keys,
              const std::stop_token& stop) {
  keys.reserve(entries.size() * 32);
  for (NaturalOrder::Entry& entry : entries) {
    if (stop.stop_requested()) return;
    entry.key = static_cast<std::uint32_t>(keys.size());
    AppendCollationKey(names.data() + entry.name, keys);
  }
}

[[noreturn]] void ThrowFolderError(const std::string& path, int error) {
  throw common::Error("Cannot open folder " + DisplayName(path.c_str()) + ": " + g_strerror(error));
}

}  // namespace

FolderReader::FolderReader(const std::string& path, EntryKind kind, NamePattern pattern)
    : path_(path), dir_(nullptr), kind_(kind), pattern_(std::move(pattern)) {
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) ThrowFolderError(path, errno);
  struct stat status;
  if (fstat(fd, &status) != 0) {
    const int error = errno;
    close(fd);
    ThrowFolderError(path, error);
  }
  identity_ = {status.st_dev, status.st_ino};
  dir_ = fdopendir(fd);
  if (!dir_) {
    const int error = errno;
    close(fd);
    ThrowFolderError(path, error);
  }
}

FolderReader::~FolderReader() {
  if (dir_) closedir(dir_);
}

bool FolderReader::Keeps(const dirent& entry) const {
  const char* name = entry.d_name;
  if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) return false;
  // A copy still being written is not a file yet; one whose writer died goes now.
  if (IsStagingName(name)) {
    if (kind_ == EntryKind::kFiles && IsStaleStagingName(name)) unlinkat(dirfd(dir_), name, 0);
    return false;
  }
  bool is_folder = entry.d_type == DT_DIR;
  if (entry.d_type == DT_LNK || entry.d_type == DT_UNKNOWN) {
    // A link counts as what it points to; a dangling one is listed as a file.
    struct stat status;
    is_folder = fstatat(dirfd(dir_), name, &status, 0) == 0 && S_ISDIR(status.st_mode);
  }
  if (kind_ == EntryKind::kFolders) return is_folder;
  return !is_folder && pattern_.Matches(name);
}

bool FolderReader::ReadSome(std::size_t max_entries) {
  for (std::size_t read = 0; read < max_entries; ++read) {
    errno = 0;
    const dirent* entry = readdir(dir_);
    if (!entry) {
      if (errno != 0) ThrowFolderError(path_, errno);
      return true;
    }
    if (!Keeps(*entry)) continue;
    if (listing_.names_.size() > kMaxNameBytes) ThrowFolderError(path_, EOVERFLOW);
    listing_.offsets_.push_back(static_cast<std::uint32_t>(listing_.names_.size()));
    listing_.names_.append(entry->d_name, std::strlen(entry->d_name) + 1);
  }
  return false;
}

FolderListing FolderReader::TakeSorted(std::stop_token stop) {
  std::vector<NaturalOrder::Entry> entries;
  entries.reserve(listing_.offsets_.size());
  for (std::uint32_t offset : listing_.offsets_) entries.push_back({offset, 0});
  // Making the keys is most of the work, so a large folder has them made on two threads.
  const std::span<NaturalOrder::Entry> all(entries);
  const std::size_t half = all.size() >= kKeysOnTwoThreads ? all.size() / 2 : all.size();
  std::string keys;
  std::string second_keys;
  {
    std::jthread helper;
    if (half < all.size())
      helper =
          std::jthread([&] { MakeKeys(listing_.names_, all.subspan(half), second_keys, stop); });
    MakeKeys(listing_.names_, all.first(half), keys, stop);
  }
  if (stop.stop_requested()) return std::move(listing_);
  const auto shift = static_cast<std::uint32_t>(keys.size());
  keys += second_keys;
  for (NaturalOrder::Entry& entry : all.subspan(half)) entry.key += shift;

  std::sort(entries.begin(), entries.end(), NaturalOrder(listing_.names_, keys));
  for (std::size_t i = 0; i < entries.size(); ++i) listing_.offsets_[i] = entries[i].name;
  return std::move(listing_);
}

bool NaturalOrder::operator()(const Entry& a, const Entry& b) const {
  const int by_key = std::strcmp(keys_ + a.key, keys_ + b.key);
  if (by_key != 0) return by_key < 0;
  return std::strcmp(names_ + a.name, names_ + b.name) < 0;
}

void AppendCollationKey(const char* name, std::string& keys) {
  // The key is taken from the name as shown, so a name that is not valid UTF-8 sorts
  // where its readable form would.
  char* shown = g_utf8_validate(name, -1, nullptr) ? nullptr : g_filename_display_name(name);
  char* folded = g_utf8_casefold(shown ? shown : name, -1);
  char* key = g_utf8_collate_key_for_filename(folded, -1);
  keys.append(key, std::strlen(key) + 1);
  g_free(key);
  g_free(folded);
  g_free(shown);
}

}  // namespace filemanager
