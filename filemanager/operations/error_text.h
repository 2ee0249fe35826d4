// The descriptions the operations raise. They are shown after a prefix such as
// "Error pasting file: ", so each is a short capitalised phrase without a final full
// stop, in one wording, and never carries a file name (names are bytes and need not be
// printable).
#pragma once

#include <string>

namespace filemanager {

inline constexpr char kFileExists[] = "File already exists";
inline constexpr char kSameFile[] = "Source and destination are the same file";
inline constexpr char kNoSuchFile[] = "The file does not exist";
inline constexpr char kNoSuchFolder[] = "The destination folder does not exist";
inline constexpr char kNoFileName[] = "The destination has no file name";
inline constexpr char kIsFolder[] = "Is a folder, not a file";
inline constexpr char kCancelled[] = "Operation cancelled";
inline constexpr char kChangedMeanwhile[] = "The file was changed by another program meanwhile";
inline constexpr char kFolderGone[] = "The folder does not exist";
inline constexpr char kEmptyName[] = "The name is empty";
inline constexpr char kNameWithSlash[] = "A name cannot contain \"/\"";
inline constexpr char kReservedName[] = "\".\" and \"..\" are reserved names";

// A readable sentence for a system error number, e.g. ENOSPC gives
// "No space left on the device".
std::string DescribeErrno(int error);

// Throws common::Error with DescribeErrno(error).
[[noreturn]] void ThrowErrno(int error);

// Throws common::Error for a source that is not a regular file, naming what it is;
// returns when mode is a regular file's.
void RefuseNonRegular(unsigned mode);

}  // namespace filemanager
