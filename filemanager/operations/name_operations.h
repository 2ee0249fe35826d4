// Renaming an entry and making a folder, both inside one folder: plain functions with no
// toolkit. Neither ever replaces an existing entry, also one that another program
// makes at the last moment. Each throws common::Error with a readable description.
#pragma once

#include <string>

namespace filemanager {

// Throws when name cannot name an entry of a folder: empty, containing "/" (or a NUL
// byte), or "." or "..".
void CheckEntryName(const std::string& name);

// Gives the entry old_name of folder the name new_name, failing with "File already
// exists" when new_name is taken.
void RenameEntry(const std::string& folder, const std::string& old_name,
                 const std::string& new_name);

// Makes the folder name inside folder, failing with "File already exists" when name is
// taken.
void MakeFolder(const std::string& folder, const std::string& name);

}  // namespace filemanager
