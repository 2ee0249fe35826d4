// Matching names against the file list's Pattern with the system's fnmatch.
#include "filemanager/lists/name_pattern.h"

#include <fnmatch.h>

#include <algorithm>

namespace filemanager {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool MeansEverything(const std::string& glob) { return glob == "*.*" || glob == "*"; }

}  // namespace

NamePattern::NamePattern(const std::string& pattern) {
  std::size_t start = 0;
  while (start <= pattern.size()) {
    std::size_t end = pattern.find(';', start);
    if (end == std::string::npos) end = pattern.size();
    std::string glob = Trimmed(pattern.substr(start, end - start));
    if (!glob.empty()) globs_.push_back(std::move(glob));
    start = end + 1;
  }
  // One glob that means every file makes the others irrelevant.
  if (std::any_of(globs_.begin(), globs_.end(), MeansEverything)) globs_.clear();
}

bool NamePattern::Matches(const char* name) const {
  if (globs_.empty()) return true;
  return std::any_of(globs_.begin(), globs_.end(), [name](const std::string& glob) {
    return fnmatch(glob.c_str(), name, 0) == 0;
  });
}

}  // namespace filemanager
