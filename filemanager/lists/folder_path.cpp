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
  std::string shown;
  if (g_utf8_validate(name, -1, nullptr)) {
    shown = name;
  } else {
    char* display = g_filename_display_name(name);
    shown = display;
    g_free(display);
  }
  // Control characters drawn as they are would let a name pass for two (a line break)
  // or for another one, so each shows as "?", as ls shows them. C1 controls are the
  // two-byte sequences C2 80 to C2 9F.
  std::string visible;
  visible.reserve(shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto byte = static_cast<unsigned char>(shown[i]);
    const bool c1 = byte == 0xC2 && i + 1 < shown.size() &&
                    (static_cast<unsigned char>(shown[i + 1]) & 0xE0) == 0x80;
    if (byte < 0x20 || byte == 0x7F || c1) {
      visible += '?';
      if (c1) ++i;
    } else {
      visible += shown[i];
    }
  }
  return visible;
}

}  // namespace filemanager
