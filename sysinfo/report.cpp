// Formats the system information report (see report.h).
#include "sysinfo/report.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace sysinfo {

namespace {

constexpr char kUnknown[] = "unknown";

std::string OrUnknown(const std::string& text) { return text.empty() ? kUnknown : text; }

std::string Count(std::uint64_t count, const char* unit) {
  return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

// Rows of cells as columns two spaces apart, each line indented by indent.
std::string Columns(const std::vector<std::vector<std::string>>& rows, const std::string& indent) {
  std::vector<std::size_t> widths;
  for (const auto& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (widths.size() <= i) widths.push_back(0);
      widths[i] = std::max(widths[i], row[i].size());
    }
  std::string text;
  for (const auto& row : rows) {
    std::string line = indent;
    for (std::size_t i = 0; i < row.size(); ++i)
      line += i + 1 < row.size() ? Padded(row[i], widths[i] + 2) : row[i];
    text += line + "\n";
  }
  return text;
}

}  // namespace

std::string FormatBytes(std::uint64_t bytes) {
  if (bytes < 1024) return Count(bytes, "byte");
  static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
  double value = static_cast<double>(bytes) / 1024;
  std::size_t unit = 0;
  while (value >= 1024 && unit + 1 < std::size(kUnits)) {
    value /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
  return text;
}

std::string FormatUptime(double seconds) {
  const auto whole = static_cast<std::uint64_t>(seconds);
  if (whole < 60) return Count(whole, "second");
  const std::uint64_t days = whole / 86400, hours = whole % 86400 / 3600,
                      minutes = whole % 3600 / 60;
  std::string text;
  if (days) text += Count(days, "day") + ", ";
  if (days || hours) text += Count(hours, "hour") + ", ";
  return text + Count(minutes, "minute");
}

std::string ReportText(const SystemFacts& facts) {
  auto bytes = [](const std::optional<std::uint64_t>& value) {
    return value ? FormatBytes(*value) : kUnknown;
  };
  std::string screen = kUnknown;
  if (facts.screen_width > 0 && facts.screen_height > 0)
    screen = std::to_string(facts.screen_width) + " x " + std::to_string(facts.screen_height) +
             " pixels";
  const std::string system =
      OrUnknown(facts.os_name) + (facts.os_version.empty() ? "" : " " + facts.os_version);
  const std::vector<std::vector<std::string>> rows = {
      {"Operating system", system},
      {"Kernel", OrUnknown(facts.kernel)},
      {"Host name", OrUnknown(facts.host_name)},
      {"Processor", OrUnknown(facts.cpu_model)},
      {"Processors", facts.cpu_count ? std::to_string(facts.cpu_count) : kUnknown},
      {"Memory total", bytes(facts.memory_total_bytes)},
      {"Memory available", bytes(facts.memory_available_bytes)},
      {"Uptime", facts.uptime_seconds ? FormatUptime(*facts.uptime_seconds) : kUnknown},
      {"Display server", OrUnknown(facts.display_server)},
      {"Screen size", screen},
      {"GPU acceleration", facts.gpu_acceleration ? "in use" : "not in use (no GPU)"},
      {"GTK version", OrUnknown(facts.gtk_version)},
      {"WebKitGTK version", OrUnknown(facts.webkit_version)},
      {"Korvo version", OrUnknown(facts.korvo_version)},
  };
  std::vector<std::vector<std::string>> mounts = {{"Mounted on", "Type", "Size", "Free", "Device"}};
  for (const MountedFileSystem& mount : facts.file_systems)
    mounts.push_back({mount.mount_point, mount.type, FormatBytes(mount.size_bytes),
                      FormatBytes(mount.free_bytes), mount.device});
  return "System Information\n\n" + Columns(rows, "") + "\nFile systems\n" + Columns(mounts, "  ");
}

}  // namespace sysinfo
