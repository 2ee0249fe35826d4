// The system information launcher and the registry value reader (see sysinfo_launcher.h).
#include "browser/about/sysinfo_launcher.h"

#include <algorithm>
#include <vector>

#include "common/errors.h"

namespace browser {

using namespace registry;

namespace {

// The 32-bit number of a REG_DWORD value, stored least significant byte first.
std::string DwordText(const std::string& bytes) {
  std::uint32_t number = 0;
  const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
  for (std::size_t i = 0; i < count; ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  return std::to_string(number);
}

}  // namespace

void SysInfoLauncher::StartSysInfo() {
  std::string SysInfoPath;
  auto show_unavailable = [this] {
    platform_.message_box.Show(kSysInfoUnavailable, common::kOkOnly);
  };
  common::TrapFailure(
      [&] {
        if (!FindAndStart(SysInfoPath)) show_unavailable();
      },
      [&](const std::string&) { show_unavailable(); });
}

bool SysInfoLauncher::FindAndStart(std::string& SysInfoPath) {
  std::string KeyName = kSysInfoKey;
  std::string SubKeyRef = kSysInfoValue;
  // The first value names the tool's file itself: it is started without a look.
  if (!GetKeyValue(HKEY_LOCAL_MACHINE, KeyName, SubKeyRef, SysInfoPath)) {
    KeyName = kToolsLocationKey;
    SubKeyRef = kToolsLocationValue;
    if (!GetKeyValue(HKEY_LOCAL_MACHINE, KeyName, SubKeyRef, SysInfoPath)) return false;
    const std::string tool = SysInfoPath + "/" + kSysInfoFile;
    if (platform_.file_search.FirstMatch(tool, kNormalFiles).empty()) return false;
    SysInfoPath = tool;
  }
  platform_.program_start.Start(SysInfoPath, kNormalFocus);
  return true;
}

bool SysInfoLauncher::GetKeyValue(const HKey& KeyRoot, std::string& KeyName, std::string& SubKeyRef,
                                  std::string& KeyVal) {
  Registry& registry = platform_.registry;
  HKey hKey = 0;
  std::uint32_t KeyValType = 0;
  bool result = false;
  // Reading a value needs read access only: asking for more would fail for everyone
  // who may not change the hive, although the value is there to read.
  if (registry.RegOpenKeyEx(KeyRoot, KeyName, 0, KEY_READ, hKey) != ERROR_SUCCESS) {
    KeyVal.clear();
  } else {
    std::vector<std::uint8_t> tmpVal(kValueBufferSize, 0);
    std::uint32_t KeyValSize = kValueBufferSize;
    if (registry.RegQueryValueEx(hKey, SubKeyRef, KeyValType, tmpVal.data(), KeyValSize) !=
        ERROR_SUCCESS) {
      KeyVal.clear();
    } else {
      result = true;
      KeyValSize = std::min(KeyValSize, kValueBufferSize);
      const bool no_data = KeyValSize == 0;
      // A value stored with its terminating zero loses it; one without is read whole.
      if (!no_data && tmpVal[KeyValSize - 1] == 0) --KeyValSize;
      const std::string value(tmpVal.begin(), tmpVal.begin() + KeyValSize);
      if (KeyValType == REG_SZ)
        KeyVal = value;
      else if (KeyValType == REG_DWORD)
        KeyVal = no_data ? "" : DwordText(value);
    }
  }
  registry.RegCloseKey(hKey);
  return result;
}

}  // namespace browser
