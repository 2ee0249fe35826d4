// A hive in the registry's plain-text export format, as korvo keeps one per root key:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Korvo]
//   "Name"="text"            text: its UTF-8 bytes and one zero byte (REG_SZ)
//   "Count"=dword:0000001a   a 32-bit number, stored least significant byte first
//   "Path"=hex(2):25,00      bytes of the given type (here REG_EXPAND_SZ)
//   "Blob"=hex:01,02,\       raw bytes (REG_BINARY); a final "\" continues the line
//     03
//   @="default value"
//
// Lines starting with ";" are comments. Key and value names compare without regard
// to ASCII case. A text that breaks these rules gives no hive at all.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace browser::registry {

struct HiveValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const HiveValue&) const = default;
};

struct HiveKey {
  // By name folded to lower case.
  std::map<std::string, HiveValue> values;
};

struct Hive {
  // By path below the root, folded to lower case, components joined by "\"; the root
  // itself is "". Every parent of a key is a key too.
  std::map<std::string, HiveKey> keys;
};

// Lower-cases ASCII letters; other bytes stay as they are.
std::string FoldCase(std::string_view text);

// Parses text as the hive of root_name (for example "HKEY_LOCAL_MACHINE"): every
// section must name a key of that root. Gives nothing when the text is malformed.
std::optional<Hive> ParseHive(std::string_view text, std::string_view root_name);

}  // namespace browser::registry
