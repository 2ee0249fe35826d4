// What a key types into a list's type-ahead.
#pragma once

#include <gdk/gdk.h>
#include <gdkmm/enums.h>

#include <optional>
#include <string>

namespace filemanager {

// The visible character a key types, as UTF-8; nothing for a key that types none or
// is held with Ctrl, Alt or Super, which make it a command.
inline std::optional<std::string> TypedText(guint keyval, Gdk::ModifierType state) {
  const auto commands =
      Gdk::ModifierType::CONTROL_MASK | Gdk::ModifierType::ALT_MASK | Gdk::ModifierType::SUPER_MASK;
  const gunichar typed = gdk_keyval_to_unicode(keyval);
  if ((state & commands) != Gdk::ModifierType{} || !g_unichar_isgraph(typed)) return std::nullopt;
  char text[8] = {};
  g_unichar_to_utf8(typed, text);
  return text;
}

}  // namespace filemanager
