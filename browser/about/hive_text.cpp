// Reads a hive from the registry's plain-text export format (see hive_text.h).
#include "browser/about/hive_text.h"

#include <algorithm>
#include <memory>
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

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return Fold(a) == Fold(b); });
}

// Walks the text's lines, trimmed, with continuations joined: a line that ends in "\"
// goes on with the next one, unless it is a comment.
class LineReader {
 public:
  LineReader(std::string_view text, std::size_t position) : text_(text), position_(position) {}

  // The next line; nothing at the end of the text, or when the text ends in the middle
  // of a continuation, which makes Broken() true.
  std::optional<std::string_view> Next() {
    line_start_ = position_;
    joined_.clear();
    for (bool joining = false;;) {
      // Past the text's last line: a continuation in progress never ended.
      if (position_ > text_.size()) {
        broken_ = joining;
        return std::nullopt;
      }
      std::size_t end = text_.find('\n', position_);
      if (end == std::string_view::npos) end = text_.size();
      std::string_view line = text_.substr(position_, end - position_);
      position_ = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      line = Trim(line);
      if (joining) joined_ += line;
      const std::string_view logical = joining ? std::string_view(joined_) : line;
      if (logical.empty() || logical.back() != '\\' || logical.front() == ';') return logical;
      if (!joining) joined_ = line;
      joining = true;
      joined_.pop_back();
    }
  }

  bool Broken() const { return broken_; }
  // Where the line last given starts, and where the next one starts.
  std::size_t LineStart() const { return line_start_; }
  std::size_t Position() const { return std::min(position_, text_.size()); }

 private:
  std::string_view text_;
  std::size_t position_;
  std::size_t line_start_ = 0;
  std::string joined_;
  bool broken_ = false;
};

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

// Appends to paths the folded path below the root of a section line "[ROOT\a\b]";
// false when the line names no key of that root.
bool AppendSectionPath(std::string_view line, std::string_view root_name, std::string& paths) {
  if (line.size() < 2 || line.back() != ']') return false;
  std::string_view path = line.substr(1, line.size() - 2);
  if (!StartsWithFolded(path, root_name)) return false;
  path.remove_prefix(root_name.size());
  if (path.empty()) return true;
  if (path.front() != '\\') return false;
  path.remove_prefix(1);
  // Every component has a name: "\a", "a\\b" and "a\" name no key.
  if (path.empty() || path.front() == '\\' || path.back() == '\\' ||
      path.find("\\\\") != std::string_view::npos)
    return false;
  const std::size_t begin = paths.size();
  paths += path;
  std::transform(paths.begin() + begin, paths.end(), paths.begin() + begin, Fold);
  return true;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), Fold);
  return folded;
}

std::string_view Hive::PathOf(const Section& section) const {
  return std::string_view(paths_).substr(section.path_begin, section.path_size);
}

// Orders sections and paths by path.
struct Hive::ByPath {
  const Hive& hive;
  bool operator()(const Section& section, std::string_view path) const {
    return hive.PathOf(section) < path;
  }
  bool operator()(std::string_view path, const Section& section) const {
    return path < hive.PathOf(section);
  }
};

std::pair<const Hive::Section*, const Hive::Section*> Hive::SectionsOf(
    std::string_view path) const {
  const auto [first, last] =
      std::equal_range(sections_.begin(), sections_.end(), path, ByPath{*this});
  return {std::to_address(first), std::to_address(last)};
}

bool Hive::HasKey(std::string_view path) const {
  if (path.empty()) return true;
  const auto [first, last] = SectionsOf(path);
  if (first != last) return true;
  // A key below it: sections are sorted, so the first path from path + "\" on tells.
  const std::string below = std::string(path) + '\\';
  const auto next =
      std::lower_bound(sections_.begin(), sections_.end(), std::string_view(below), ByPath{*this});
  return next != sections_.end() && PathOf(*next).starts_with(below);
}

void Hive::ForEachValue(std::string_view path,
                        const std::function<void(std::string_view, HiveValue)>& visit) const {
  const auto [first, last] = SectionsOf(path);
  for (const Section* section = first; section != last; ++section) {
    LineReader reader(std::string_view(text_).substr(0, section->body_end), section->body_begin);
    while (const auto line = reader.Next()) {
      if (line->empty() || line->front() == ';') continue;
      // The parse took every line here for a value line.
      if (auto value = ParseValueLine(*line))
        visit(FoldCase(value->first), std::move(value->second));
    }
  }
}

std::optional<HiveValue> Hive::FindValue(std::string_view path, std::string_view name) const {
  std::optional<HiveValue> found;
  ForEachValue(path, [&](std::string_view value_name, HiveValue value) {
    if (value_name == name) found = std::move(value);
  });
  return found;
}

std::vector<std::string_view> Hive::SectionKeys() const {
  std::vector<std::string_view> keys;
  for (const Section& section : sections_)
    if (keys.empty() || keys.back() != PathOf(section)) keys.push_back(PathOf(section));
  return keys;
}

std::optional<Hive> ParseHive(std::string text, std::string_view root_name) {
  Hive hive;
  hive.text_ = std::move(text);
  const std::string_view all = hive.text_;
  LineReader reader(all, all.starts_with("\xEF\xBB\xBF") ? 3 : 0);
  bool header = false;
  while (const auto line = reader.Next()) {
    if (line->empty() || line->front() == ';') continue;
    if (!header) {
      if (*line != "REGEDIT4") return std::nullopt;
      header = true;
    } else if (line->front() == '[') {
      if (!hive.sections_.empty()) hive.sections_.back().body_end = reader.LineStart();
      const std::size_t path_begin = hive.paths_.size();
      if (!AppendSectionPath(*line, root_name, hive.paths_)) return std::nullopt;
      hive.sections_.push_back(
          {path_begin, hive.paths_.size() - path_begin, reader.Position(), all.size()});
    } else if (hive.sections_.empty() || !ParseValueLine(*line)) {
      // A value belongs to the section above it; there must be one.
      return std::nullopt;
    }
  }
  if (reader.Broken() || !header) return std::nullopt;
  // Sections of one key end up side by side, in the order written.
  std::sort(hive.sections_.begin(), hive.sections_.end(),
            [&hive](const Hive::Section& a, const Hive::Section& b) {
              return std::pair(hive.PathOf(a), a.body_begin) <
                     std::pair(hive.PathOf(b), b.body_begin);
            });
  return hive;
}

}  // namespace browser::registry
