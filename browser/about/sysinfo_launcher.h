// Finds the system information tool through two registry values and starts it, or
// tells the user it is unavailable: what the About dialog's "&System Info..." does.
// Pure logic over the registry, file search, program start and message box it is
// given, so tests can script each of them.
#pragma once

#include <string>

#include "browser/about/file_search.h"
#include "browser/about/program_start.h"
#include "browser/about/registry.h"
#include "common/message_box.h"

namespace browser {

inline constexpr char kSysInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoValue[] = "PATH";
inline constexpr char kToolsLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kToolsLocationValue[] = "MSINFO";
inline constexpr char kSysInfoFile[] = "MSINFO32.EXE";
inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// The value buffer's size in bytes: longer values do not fit and are not read.
inline constexpr std::uint32_t kValueBufferSize = 1024;

class SysInfoLauncher {
 public:
  struct Platform {
    registry::Registry& registry;
    FileSearch& file_search;
    ProgramStart& program_start;
    common::MessageBox& message_box;
  };

  explicit SysInfoLauncher(Platform platform) : platform_(platform) {}

  // Starts the tool named by the first value, else the "MSINFO32.EXE" in the folder
  // that the second value names, if it is there; any failure shows one message box.
  // Never throws.
  void StartSysInfo();

  // Reads value SubKeyRef of key KeyName below KeyRoot into KeyVal as text: true when
  // the key opened and the value was read. A text value reads as its bytes without a
  // final zero byte, a number value as its decimal text, a value without data as empty
  // text; a value of any other type leaves KeyVal as it was. A missing key or value,
  // refused access, or data longer than kValueBufferSize give empty text and false.
  bool GetKeyValue(const registry::HKey& KeyRoot, std::string& KeyName, std::string& SubKeyRef,
                   std::string& KeyVal);

 private:
  // True when the tool was started; false when it cannot be found.
  bool FindAndStart(std::string& SysInfoPath);

  Platform platform_;
};

}  // namespace browser
