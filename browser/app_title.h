// The browser's application title: message boxes without a title of their own show it.
#pragma once

namespace browser {

inline constexpr char kApplicationTitle[] = "Korvo Browser";

}  // namespace browser
