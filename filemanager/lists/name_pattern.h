// The file list's Pattern: which names a folder's files must have to be listed.
#pragma once

#include <string>
#include <vector>

namespace filemanager {

// "*.*" (and an empty pattern, or "*") means every file, names that start with a dot
// included. Otherwise the pattern is one or more shell wildcards separated by ";"
// ("*.txt;*.md"), matched case-sensitively against the name's exact bytes, as the
// file system tells names apart; "*" matches a leading dot too.
class NamePattern {
 public:
  explicit NamePattern(const std::string& pattern = "*.*");

  bool Matches(const char* name) const;
  bool MatchesEverything() const { return globs_.empty(); }

 private:
  std::vector<std::string> globs_;
};

}  // namespace filemanager
