// Ports no web page may use. The web engine never connects to them, as no browser
// does, so that a page cannot make it talk to a mail or file server instead. Pure
// logic: no toolkit.
#pragma once

#include <optional>
#include <string>

namespace browser {

// The port a web (http or https) address names, when the engine refuses it; nothing
// for any other address.
std::optional<int> RestrictedPortOf(const std::string& address);

}  // namespace browser
