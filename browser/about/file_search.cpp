// The file search over the file system (see file_search.h).
#include "browser/about/file_search.h"

#include <filesystem>

namespace browser {

std::string DiskFileSearch::FirstMatch(const std::string& path, int) {
  // Folders, hidden and system files would need attribute bits that no caller asks for.
  const std::filesystem::path file(path);
  const std::string name = file.filename().string();
  std::error_code error;
  if (name.empty() || name.front() == '.' || !std::filesystem::is_regular_file(file, error))
    return "";
  return name;
}

}  // namespace browser
