// The blocked ports of the Fetch standard, which the engine follows, and port 0.
#include "browser/webview/restricted_port.h"

#include <glib.h>

#include <algorithm>
#include <array>

namespace browser {

namespace {

constexpr std::array kRestrictedPorts = {
    0,    1,    7,    9,    11,   13,   15,   17,   19,   20,   21,   22,   23,   25,
    37,   42,   43,   53,   69,   77,   79,   87,   95,   101,  102,  103,  104,  109,
    110,  111,  113,  115,  117,  119,  123,  135,  137,  139,  143,  161,  179,  389,
    427,  465,  512,  513,  514,  515,  526,  530,  531,  532,  540,  548,  554,  556,
    563,  587,  601,  636,  989,  990,  993,  995,  1719, 1720, 1723, 2049, 3659, 4045,
    4190, 5060, 5061, 6000, 6566, 6665, 6666, 6667, 6668, 6669, 6679, 6697, 10080};

}  // namespace

std::optional<int> RestrictedPortOf(const std::string& address) {
  GUri* uri = g_uri_parse(address.c_str(), G_URI_FLAGS_NONE, nullptr);
  if (!uri) return std::nullopt;
  const std::string scheme = g_uri_get_scheme(uri);
  const int port = g_uri_get_port(uri);
  g_uri_unref(uri);
  if (scheme != "http" && scheme != "https") return std::nullopt;
  if (!std::binary_search(kRestrictedPorts.begin(), kRestrictedPorts.end(), port))
    return std::nullopt;
  return port;
}

}  // namespace browser
