// Captions as the designer writes them ("&Address:", "&Info") turned into what the
// toolkit shows: GTK marks the access key with "_" where the designer used "&".
#pragma once

#include <string>
#include <string_view>

namespace browser {

// "&File" becomes "_File"; "&&" stands for a literal "&"; a literal "_" is doubled
// so that it is not taken for an access key.
inline std::string MnemonicCaption(std::string_view caption) {
  std::string result;
  result.reserve(caption.size() + 1);
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        result += '&';
        ++i;
      } else if (i + 1 < caption.size()) {
        result += '_';
      }
    } else if (c == '_') {
      result += "__";
    } else {
      result += c;
    }
  }
  return result;
}

// The caption as a reader hears it: "&Info" is "Info".
inline std::string PlainCaption(std::string_view caption) {
  std::string result;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      // The character after an "&" is shown as it is; a trailing "&" shows nothing.
      if (++i == caption.size()) break;
    }
    result += caption[i];
  }
  return result;
}

}  // namespace browser
