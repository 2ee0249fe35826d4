// Folder path spelling: normalizing, ancestry and joining, all on exact bytes.
#include "filemanager/lists/folder_path.h"

#include <glib.h>

namespace filemanager {

std::string NormalizeFolderPath(const std::string& path, const std::string& base) {
  const std::string absolute = path.starts_with('/') ? path : base + "/" + path;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= absolute.size()) {
    std::size_t end = absolute.find('/', start);
    if (end == std::string::npos) end = absolute.size();
    const std::string part = absolute.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string normalized;
  for (const std::string& part : parts) normalized += "/" + part;
  return normalized.empty() ? "/" : normalized;
}

std::vector<std::string> FolderAncestry(const std::string& normalized_path) {
  std::vector<std::string> ancestry{"/"};
  for (std::size_t slash = normalized_path.find('/', 1);;
       slash = normalized_path.find('/', slash + 1)) {
    if (slash == std::string::npos) {
      if (normalized_path != "/") ancestry.push_back(normalized_path);
      return ancestry;
    }
    ancestry.push_back(normalized_path.substr(0, slash));
  }
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::string LastComponent(const std::string& normalized_path) {
  if (normalized_path == "/") return "/";
  return normalized_path.substr(normalized_path.rfind('/') + 1);
}

std::string DisplayName(const char* name) {
  if (g_utf8_validate(name, -1, nullptr)) return name;
  char* display = g_filename_display_name(name);
  std::string result(display);
  g_free(display);
  return result;
}

}  // namespace filemanager
