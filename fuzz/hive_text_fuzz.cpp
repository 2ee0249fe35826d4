// Fuzzes the hive text parser. Whatever the text, the parse ends; and a hive it gives
// holds together: every key's path is folded and names each of its components, every
// parent of a key is a key, a value looked up by name is the last one of that name, and
// the hive written back as text parses to the same keys and values.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "browser/about/hive_text.h"
#include "browser/about/registry.h"

namespace {

using namespace browser::registry;

constexpr char kRoot[] = "HKEY_LOCAL_MACHINE";

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

using Values = std::map<std::string, HiveValue>;
using Contents = std::map<std::string, Values>;

// The keys that sections name, with the values that count in each.
Contents ContentsOf(const Hive& hive) {
  Contents contents;
  for (const std::string_view key : hive.SectionKeys()) {
    Values& values = contents[std::string(key)];
    hive.ForEachValue(key, [&](std::string_view name, HiveValue value) {
      values[std::string(name)] = std::move(value);
    });
  }
  return contents;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

// The data of a value in one of the forms the format has for it.
std::string DataText(const HiveValue& value) {
  const auto& data = value.data;
  char text[16];
  if (value.type == REG_SZ && !data.empty() && data.back() == 0 &&
      std::find(data.begin(), data.end(), '\n') == data.end())
    return Quoted(std::string(data.begin(), data.end() - 1));
  if (value.type == REG_DWORD && data.size() == 4) {
    std::snprintf(
        text, sizeof text, "dword:%08x",
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
    return text;
  }
  std::snprintf(text, sizeof text, "hex(%x):", value.type);
  std::string result = text;
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::snprintf(text, sizeof text, "%s%02x", i ? "," : "", data[i]);
    result += text;
  }
  return result;
}

std::string HiveText(const Contents& contents) {
  std::string text = "REGEDIT4\n";
  for (const auto& [key, values] : contents) {
    text += "[" + std::string(kRoot) + (key.empty() ? "" : "\\" + key) + "]\n";
    for (const auto& [name, value] : values)
      text += (name.empty() ? "@" : Quoted(name)) + "=" + DataText(value) + "\n";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto hive = ParseHive(std::string(reinterpret_cast<const char*>(data), size), kRoot);
  if (!hive) return 0;
  Check(hive->HasKey(""), "the root is a key");
  const Contents contents = ContentsOf(*hive);
  for (const auto& [key, values] : contents) {
    Check(key == FoldCase(key), "key paths are folded");
    Check(key.empty() ||
              (key.front() != '\\' && key.back() != '\\' && key.find("\\\\") == std::string::npos),
          "every component of a key path has a name");
    for (std::size_t end = 0; end != std::string::npos; end = key.find('\\', end + 1))
      Check(hive->HasKey(std::string_view(key).substr(0, end)), "every parent of a key is a key");
    Check(hive->HasKey(key), "a key that a section names is a key");
    for (const auto& [name, value] : values) {
      Check(name == FoldCase(name), "value names are folded");
      Check(hive->FindValue(key, name) == value, "a value found by name is the last of that name");
    }
  }
  const auto again = ParseHive(HiveText(contents), kRoot);
  Check(again.has_value(), "the hive written back parses");
  Check(ContentsOf(*again) == contents, "the hive written back parses to the same hive");
  return 0;
}
