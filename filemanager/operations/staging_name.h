// The hidden names copies are staged under on file systems without unnamed temporary
// files (FAT, some network shares). A name says which process made it, so one that a
// crashed or killed tavvel left behind can be told from one still being written.
#pragma once

#include <string>

namespace filemanager {

// A new name ".tavvel-SYSTEM-PID-START-RANDOM.part": SYSTEM stands for this boot of this
// system and its process numbering, START for when the process started, so a process
// number used again later is not taken for this process.
std::string NewStagingName();

// Whether name has the form NewStagingName gives; such files are never listed.
bool IsStagingName(const char* name);

// Whether name is a staging name of a process of this system that no longer runs.
// When that cannot be told (another system, another boot, no /proc), it is not.
bool IsStaleStagingName(const char* name);

// Removes the stale staging files in the folder open as folder_fd.
void RemoveStaleStagingFiles(int folder_fd);

}  // namespace filemanager
