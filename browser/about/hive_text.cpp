// Reads a hive from the registry's plain-text export format (see hive_text.h).
#include "browser/about/hive_text.h"

#include <utility>

#include "browser/about/registry.h"

namespace browser::registry {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && FoldCase(text.substr(0, prefix.size())) == prefix;
}

// The text's lines, trimmed, with continuations joined: a line that ends in "\" goes
// on with the next one. Nothing when the text ends in the middle of a continuation.
std::optional<std::vector<std::string>> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string pending;
  bool continuing = false;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (!continuing) pending.clear();
    pending += line;
    continuing = !pending.empty() && pending.back() == '\\' && pending.front() != ';';
    if (continuing)
      pending.pop_back();
    else
      lines.push_back(pending);
    if (last) break;
    start = end + 1;
  }
  if (continuing) return std::nullopt;
  return lines;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One to max_digits hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t max_digits) {
  if (text.empty() || text.size() > max_digits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number << 4 | static_cast<std::uint32_t>(digit);
  }
  return number;
}

// Bytes as comma-separated hexadecimal pairs; an empty list is no bytes.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  text = Trim(text);
  if (text.empty()) return bytes;
  for (;;) {
    const std::size_t comma = text.find(',');
    const auto byte = ParseHexNumber(Trim(text.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    if (comma == std::string_view::npos) return bytes;
    text.remove_prefix(comma + 1);
  }
}

// A quoted text at the start of text, in which "\\" and "\"" stand for a backslash
// and a quote; text moves past the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string result;
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return result;
    }
    if (c == '\\') {
      if (++i == text.size()) return std::nullopt;
      c = text[i];
      if (c != '\\' && c != '"') return std::nullopt;
    }
    result += c;
  }
  return std::nullopt;
}

std::optional<HiveValue> ParseData(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '"') {
    const auto quoted = TakeQuoted(text);
    if (!quoted || !Trim(text).empty()) return std::nullopt;
    HiveValue value{REG_SZ, {quoted->begin(), quoted->end()}};
    value.data.push_back(0);
    return value;
  }
  if (StartsWithFolded(text, "dword:")) {
    const auto number = ParseHexNumber(text.substr(6), 8);
    if (!number) return std::nullopt;
    HiveValue value{REG_DWORD, {}};
    for (int shift = 0; shift < 32; shift += 8)
      value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    return value;
  }
  std::uint32_t type = REG_BINARY;
  if (StartsWithFolded(text, "hex:")) {
    text.remove_prefix(4);
  } else if (StartsWithFolded(text, "hex(")) {
    const std::size_t close = text.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    const auto number = ParseHexNumber(text.substr(4, close - 4), 8);
    if (!number) return std::nullopt;
    type = *number;
    text.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  auto bytes = ParseHexBytes(text);
  if (!bytes) return std::nullopt;
  return HiveValue{type, std::move(*bytes)};
}

// "name"=data or @=data (the key's default value, whose name is empty).
std::optional<std::pair<std::string, HiveValue>> ParseValueLine(std::string_view line) {
  std::string name;
  if (line.front() == '@') {
    line.remove_prefix(1);
  } else {
    auto quoted = TakeQuoted(line);
    if (!quoted) return std::nullopt;
    name = std::move(*quoted);
  }
  line = Trim(line);
  if (line.empty() || line.front() != '=') return std::nullopt;
  auto value = ParseData(line.substr(1));
  if (!value) return std::nullopt;
  return std::pair{std::move(name), std::move(*value)};
}

// The folded path below the root of a section line "[ROOT\a\b]".
std::optional<std::string> SectionPath(std::string_view line, std::string_view root_name) {
  if (line.size() < 2 || line.back() != ']') return std::nullopt;
  std::string_view path = line.substr(1, line.size() - 2);
  if (!StartsWithFolded(path, FoldCase(root_name))) return std::nullopt;
  path.remove_prefix(root_name.size());
  if (path.empty()) return "";
  if (path.front() != '\\') return std::nullopt;
  path.remove_prefix(1);
  // Every component has a name: "a\\b" and "a\" name no key.
  if (path.empty() || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
    return std::nullopt;
  return FoldCase(path);
}

HiveKey& AddKey(Hive& hive, const std::string& path) {
  for (std::size_t i = path.find('\\'); i != std::string::npos; i = path.find('\\', i + 1))
    hive.keys[path.substr(0, i)];
  return hive.keys[path];
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return folded;
}

std::optional<Hive> ParseHive(std::string_view text, std::string_view root_name) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const auto lines = LogicalLines(text);
  if (!lines) return std::nullopt;
  Hive hive;
  hive.keys[""];
  bool header = false;
  HiveKey* key = nullptr;
  for (const std::string& line : *lines) {
    if (line.empty() || line.front() == ';') continue;
    if (!header) {
      if (line != "REGEDIT4") return std::nullopt;
      header = true;
    } else if (line.front() == '[') {
      const auto path = SectionPath(line, root_name);
      if (!path) return std::nullopt;
      key = &AddKey(hive, *path);
    } else {
      // A value belongs to the section above it; there must be one.
      auto value = key ? ParseValueLine(line) : std::nullopt;
      if (!value) return std::nullopt;
      key->values[FoldCase(value->first)] = std::move(value->second);
    }
  }
  if (!header) return std::nullopt;
  return hive;
}

}  // namespace browser::registry
