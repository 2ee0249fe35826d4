// Type-ahead: matching is by case-folded prefix, wrapping around the list's end.
#include "filemanager/lists/type_ahead.h"

#include <glib.h>

namespace filemanager {

namespace {

std::string Fold(const std::string& text) {
  gchar* folded = g_utf8_casefold(text.c_str(), -1);
  std::string result(folded);
  g_free(folded);
  return result;
}

// True when text is one character, typed once or more.
bool OneCharacterRepeated(const std::string& text) {
  const auto length = static_cast<std::size_t>(g_utf8_next_char(text.c_str()) - text.c_str());
  const std::string first = text.substr(0, length);
  for (std::size_t at = 0; at < text.size(); at += first.size()) {
    if (text.compare(at, first.size(), first) != 0) return false;
  }
  return true;
}

}  // namespace

std::optional<int> TypeAhead::Type(const std::string& text, Clock::time_point now, int count,
                                   const std::function<std::string(int)>& name, int selected) {
  if (now - last_ > kReset) typed_.clear();
  last_ = now;
  typed_ += Fold(text);
  if (typed_.empty() || count <= 0) return std::nullopt;

  std::string prefix = typed_;
  int start = selected;
  if (OneCharacterRepeated(typed_)) {
    prefix = typed_.substr(
        0, static_cast<std::size_t>(g_utf8_next_char(typed_.c_str()) - typed_.c_str()));
    start = selected + 1;
  }
  if (start < 0) start = 0;
  for (int step = 0; step < count; ++step) {
    const int row = (start + step) % count;
    if (Fold(name(row)).starts_with(prefix)) return row;
  }
  return std::nullopt;
}

}  // namespace filemanager
