// The browser's own pages (home and search), compiled into the program and served
// by the web view itself under the korvo: scheme, so they open without a network.
#pragma once

#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace browser {

inline constexpr const char* kHomeAddress = "korvo://home";
inline constexpr const char* kSearchAddress = "korvo://search";

// Makes context answer korvo: addresses from the compiled-in pages. Safe to call again.
void ServeBuiltinPages(WebKitWebContext* context);

}  // namespace browser
