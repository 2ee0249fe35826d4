// How the web view reads an address the user typed: what it loads for a text, or why
// it loads nothing. Pure logic, so it is tested without a display.
#pragma once

#include <string>

namespace browser {

// The address to load for text: an address with a scheme as it is, an absolute file
// path as a file:// address, anything else (a bare host, host:port, host/path) with
// http:// in front; words with a space before any path (and no scheme) go to the
// search engine of the search page as its query. Spaces and control characters around the text are
// dropped, and tabs and line breaks inside it, as the engine's own address parser does. Throws
// common::Error for an empty text, a javascript: address (a typed script would run in whatever page
// is shown) and a text that names no host.
std::string InterpretAddress(const std::string& text);

}  // namespace browser
