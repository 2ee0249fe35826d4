// Folder paths as the lists handle them: exact bytes, "/" as separator, no trailing
// "/" except on the root. Pure string work; nothing here touches the file system.
#pragma once

#include <string>
#include <vector>

namespace filemanager {

// Makes path absolute (relative to base) and removes ".", ".." and doubled or
// trailing separators by their spelling alone, so a folder reached through a
// symbolic link keeps the path the user took.
std::string NormalizeFolderPath(const std::string& path, const std::string& base);

// The folders from "/" down to path itself: "/a/b" gives "/", "/a", "/a/b".
std::vector<std::string> FolderAncestry(const std::string& normalized_path);

// path followed by name with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The last component of a normalized path ("/" for the root).
std::string LastComponent(const std::string& normalized_path);

// A readable form of a file name or path, on one line: invalid UTF-8 shows as
// replacement characters, control characters (a line break, a tab) as "?".
std::string DisplayName(const char* name);

}  // namespace filemanager
