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
// Every component of a key's path has a name. Lines starting with ";" are comments. Key
// and value names compare without regard to ASCII case. A text that breaks these rules
// gives no hive at all.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace browser::registry {

struct HiveValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const HiveValue&) const = default;
};

// A parsed hive. It keeps its text and, for each section, the folded path of the key it
// names and where its lines lie; values are read from the text when asked for. So time
// and memory stay linear in the text's size, whatever the shape of the hive.
class Hive {
 public:
  // Paths are below the root, folded to lower case, components joined by "\"; the root
  // itself is "". A key exists when a section names it or a key below it: every parent
  // of a key is a key too, and the root always is.
  bool HasKey(std::string_view path) const;

  // Calls visit with the folded name and the value of each value line of the key at
  // path, in the order they are written; of two values of the same name the later counts.
  void ForEachValue(std::string_view path,
                    const std::function<void(std::string_view, HiveValue)>& visit) const;

  // The value of the given folded name in the key at path, the last one written.
  std::optional<HiveValue> FindValue(std::string_view path, std::string_view name) const;

  // The keys that sections name, each once, in byte order of their paths.
  std::vector<std::string_view> SectionKeys() const;

 private:
  friend std::optional<Hive> ParseHive(std::string text, std::string_view root_name);

  struct Section {
    std::size_t path_begin, path_size;  // in paths_
    std::size_t body_begin, body_end;   // the lines below the section line, in text_
  };

  struct ByPath;

  std::string_view PathOf(const Section& section) const;
  // The sections of the key at path, in the order written.
  std::pair<const Section*, const Section*> SectionsOf(std::string_view path) const;

  std::string text_;
  std::string paths_;              // the sections' folded paths, one after another
  std::vector<Section> sections_;  // by path, then in the order written
};

// Lower-cases ASCII letters; other bytes stay as they are.
std::string FoldCase(std::string_view text);

// Parses text as the hive of root_name (for example "HKEY_LOCAL_MACHINE"): every
// section must name a key of that root. Gives nothing when the text is malformed.
std::optional<Hive> ParseHive(std::string text, std::string_view root_name);

}  // namespace browser::registry
