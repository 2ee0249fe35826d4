// The system information report as text: one "label  value" line per fact, then a
// table of the mounted file systems. The window shows it and copies it whole.
#pragma once

#include <cstdint>
#include <string>

#include "sysinfo/facts.h"

namespace sysinfo {

// 1536 -> "1.5 KiB"; below 1024 bytes, "512 bytes".
std::string FormatBytes(std::uint64_t bytes);

// 93784 -> "1 day, 2 hours, 3 minutes"; under a minute, "42 seconds".
std::string FormatUptime(double seconds);

std::string ReportText(const SystemFacts& facts);

}  // namespace sysinfo
