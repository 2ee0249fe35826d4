// Parsers of the text files the system information tool reads (see facts.h).
#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "sysinfo/facts.h"

namespace sysinfo {

namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Calls on_line for each line of text.
template <class OnLine>
void ForEachLine(std::string_view text, OnLine on_line) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    on_line(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
    return std::string(value.substr(1, value.size() - 2));
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  value = value.substr(1, value.size() - 2);
  std::string result;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() &&
        std::string_view("\"\\$`").find(value[i + 1]) != std::string_view::npos)
      ++i;
    result += value[i];
  }
  return result;
}

// "name : value" of /proc/cpuinfo and /proc/meminfo.
bool SplitField(std::string_view line, std::string_view& name, std::string_view& value) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  name = Trim(line.substr(0, colon));
  value = Trim(line.substr(colon + 1));
  return true;
}

// The fields of a line, separated by blanks.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (line = Trim(line); !line.empty(); line = Trim(line)) {
    const auto end = line.find_first_of(" \t");
    fields.push_back(line.substr(0, end));
    if (end == std::string_view::npos) break;
    line.remove_prefix(end);
  }
  return fields;
}

// Decodes the octal escapes (\040 for a space) the kernel writes in mount tables.
std::string DecodeOctal(std::string_view field) {
  std::string result;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      int code = 0;
      const auto digits = field.substr(i + 1, 3);
      const auto [end, error] = std::from_chars(digits.data(), digits.data() + 3, code, 8);
      if (error == std::errc() && end == digits.data() + 3) {
        result += static_cast<char>(code);
        i += 3;
        continue;
      }
    }
    result += field[i];
  }
  return result;
}

}  // namespace

std::map<std::string, std::string> ParseOsRelease(std::string_view text) {
  std::map<std::string, std::string> fields;
  ForEachLine(text, [&](std::string_view line) {
    line = Trim(line);
    const auto equals = line.find('=');
    if (line.empty() || line.front() == '#' || equals == std::string_view::npos) return;
    fields[std::string(line.substr(0, equals))] = Unquote(line.substr(equals + 1));
  });
  return fields;
}

CpuInfo ParseCpuInfo(std::string_view text) {
  CpuInfo info;
  std::string fallback_model;
  ForEachLine(text, [&](std::string_view line) {
    std::string_view name, value;
    if (!SplitField(line, name, value)) return;
    if (name == "processor") ++info.count;
    if (name == "model name" && info.model.empty()) info.model = value;
    // Other architectures name the model differently.
    if ((name == "Hardware" || name == "cpu model" || name == "cpu") && fallback_model.empty())
      fallback_model = value;
  });
  if (info.model.empty()) info.model = fallback_model;
  return info;
}

MemInfo ParseMemInfo(std::string_view text) {
  MemInfo info;
  ForEachLine(text, [&](std::string_view line) {
    std::string_view name, value;
    if (!SplitField(line, name, value)) return;
    std::uint64_t kib = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), kib);
    if (error != std::errc() || Trim(std::string_view(end, value.data() + value.size())) != "kB")
      return;
    if (name == "MemTotal") info.total_bytes = kib * 1024;
    if (name == "MemAvailable") info.available_bytes = kib * 1024;
  });
  return info;
}

std::optional<double> ParseUptime(std::string_view text) {
  text = Trim(text);
  const std::string first(text.substr(0, text.find(' ')));
  char* end = nullptr;
  const double seconds = std::strtod(first.c_str(), &end);
  if (first.empty() || *end != '\0' || seconds < 0) return std::nullopt;
  return seconds;
}

std::vector<MountedFileSystem> ParseMounts(std::string_view text) {
  std::vector<MountedFileSystem> mounts;
  ForEachLine(text, [&](std::string_view line) {
    const auto fields = Fields(line);
    if (fields.size() < 3) return;
    mounts.push_back({DecodeOctal(fields[0]), DecodeOctal(fields[1]), DecodeOctal(fields[2])});
  });
  return mounts;
}

std::vector<MountedFileSystem> ParseMountInfo(std::string_view text) {
  std::vector<MountedFileSystem> mounts;
  ForEachLine(text, [&](std::string_view line) {
    // "36 35 98:0 /root /mount/point options [tags...] - type device options"
    const auto fields = Fields(line);
    if (fields.size() < 9) return;
    const auto dash = std::find(fields.begin() + 6, fields.end(), "-");
    if (fields.end() - dash < 3) return;
    MountedFileSystem mount;
    mount.device = DecodeOctal(dash[2]);
    mount.mount_point = DecodeOctal(fields[4]);
    mount.type = DecodeOctal(dash[1]);
    mount.device_number = fields[2];
    mount.root = DecodeOctal(fields[3]);
    mounts.push_back(std::move(mount));
  });
  return mounts;
}

}  // namespace sysinfo
