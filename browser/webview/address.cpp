// Address interpretation for Navigate; see address.h.
#include "browser/webview/address.h"

#include <glib.h>

#include <algorithm>
#include <memory>

#include "common/errors.h"

namespace browser {

namespace {

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// The engine ignores leading and trailing controls and spaces, and tabs and line breaks
// anywhere; reading the text the same way keeps "java\nscript:" from slipping past.
std::string Cleaned(const std::string& text) {
  std::string cleaned;
  for (char c : text)
    if (c != '\t' && c != '\n' && c != '\r') cleaned += c;
  const auto first = std::find_if_not(cleaned.begin(), cleaned.end(), IsControlOrSpace);
  const auto last = std::find_if_not(cleaned.rbegin(), cleaned.rend(), IsControlOrSpace).base();
  return first < last ? std::string(first, last) : std::string();
}

// The scheme in front of the first colon, or empty when the text starts with none.
std::string SchemeOf(const std::string& text) {
  if (text.empty() || !IsAsciiAlpha(text[0])) return {};
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') return text.substr(0, i);
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return {};
  }
  return {};
}

// "localhost:8080/x" reads like scheme "localhost"; digits up to the end of the host
// part make it a port instead.
bool IsPortAfter(const std::string& text, std::size_t colon) {
  std::size_t i = colon + 1;
  const std::size_t digits_start = i;
  while (i < text.size() && IsAsciiDigit(text[i])) ++i;
  return i > digits_start &&
         (i == text.size() || text[i] == '/' || text[i] == '?' || text[i] == '#');
}

std::string Lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(g_ascii_tolower(c));
  return text;
}

std::string FileAddress(const std::string& path) {
  GError* raw_error = nullptr;
  std::unique_ptr<char, decltype(&g_free)> uri(g_filename_to_uri(path.c_str(), nullptr, &raw_error),
                                               &g_free);
  if (!uri) {
    std::string message = raw_error->message;
    g_error_free(raw_error);
    throw common::Error("\"" + path + "\" is not a valid file path: " + message);
  }
  return uri.get();
}

std::string SearchAddress(const std::string& words) {
  std::unique_ptr<char, decltype(&g_free)> escaped(
      g_uri_escape_string(words.c_str(), nullptr, TRUE), &g_free);
  std::string query;
  for (std::string_view rest = escaped.get(); !rest.empty();) {
    if (rest.starts_with("%20")) {
      query += '+';
      rest.remove_prefix(3);
    } else {
      query += rest.front();
      rest.remove_prefix(1);
    }
  }
  return "https://duckduckgo.com/html/?q=" + query;
}

}  // namespace

std::string InterpretAddress(const std::string& text) {
  const std::string address = Cleaned(text);
  if (address.empty()) throw common::Error("No address was given.");

  const std::string scheme = SchemeOf(address);
  if (!scheme.empty() && !IsPortAfter(address, scheme.size())) {
    if (Lowercase(scheme) == "javascript")
      throw common::Error("A javascript: address cannot be opened from the address box.");
    return address;
  }
  if (address[0] == '/') return FileAddress(address);

  const std::string host = address.substr(0, address.find_first_of("/?#"));
  // Words with a space before any path are a question, not a host: they go to the
  // engine the search page asks, as its form would send them.
  if (host.find(' ') != std::string::npos) return SearchAddress(address);
  const bool host_is_sound = !host.empty() && std::none_of(host.begin(), host.end(), [](char c) {
    return IsControlOrSpace(c) || std::string_view("\"<>\\^`{|}").find(c) != std::string::npos;
  });
  if (!host_is_sound) throw common::Error("\"" + address + "\" is not a valid address.");
  return "http://" + address;
}

}  // namespace browser
