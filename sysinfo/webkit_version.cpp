// The version of the WebKitGTK library installed (see facts.h). The tool links no
// WebKit, which would cost every start the loading of the library; it loads the
// library only to ask its version, after the window shows.
#include <dlfcn.h>

#include "sysinfo/facts.h"

namespace sysinfo {

std::string InstalledWebKitVersion() {
  // The name korvo's own loader looks for, so the same file korvo would load.
  void* library = dlopen("libwebkitgtk-6.0.so.4", RTLD_LAZY | RTLD_LOCAL);
  if (!library) return {};
  std::string version;
  for (const char* part :
       {"webkit_get_major_version", "webkit_get_minor_version", "webkit_get_micro_version"}) {
    auto number = reinterpret_cast<unsigned (*)()>(dlsym(library, part));
    if (!number) return {};
    version += (version.empty() ? "" : ".") + std::to_string(number());
  }
  // The library stays loaded: unloading WebKit is not something it is made for.
  return version;
}

}  // namespace sysinfo
