// Whether the programs draw with a GPU. They do when the machine has a GPU render node;
// without one, GTK draws windows with cairo and WebKit paints pages without
// compositing, since OpenGL would run in software and cost memory and start-up time.
#pragma once

#include <filesystem>
#include <system_error>

namespace common {

// True when dri, the folder of the machine's DRM devices, holds a render node.
inline bool UsesGpu(const std::filesystem::path& dri = "/dev/dri") {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dri, error))
    if (entry.path().filename().string().starts_with("renderD")) return true;
  return false;
}

}  // namespace common
