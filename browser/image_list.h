// The image list control: pictures that other controls show by position (from 1),
// loaded from the program's own resources. It is never shown itself.
#pragma once

#include <gdkmm/texture.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace browser {

class ImageList {
 public:
  // Each path names a picture among the program's resources.
  explicit ImageList(std::initializer_list<std::string> resource_paths);

  int Count() const { return static_cast<int>(images_.size()); }
  // The picture at position index, 1 being the first. A bad index throws common::Error.
  const Glib::RefPtr<Gdk::Texture>& ListImages(int index) const;

 private:
  std::vector<Glib::RefPtr<Gdk::Texture>> images_;
};

// The program's artwork, compiled into it.
namespace art {
// The icons sit where the application has the icon theme look for its own.
inline constexpr char kEmblem[] = "/org/korvo/Browser/icons/32x32/apps/korvo.png";
inline constexpr char kEmblemIconName[] = "korvo";
inline constexpr char kIconsPath[] = "/org/korvo/Browser/icons";
inline constexpr char kBack[] = "/org/korvo/browser/art/back.png";
inline constexpr char kForward[] = "/org/korvo/browser/art/forward.png";
inline constexpr char kStop[] = "/org/korvo/browser/art/stop.png";
inline constexpr char kRefresh[] = "/org/korvo/browser/art/refresh.png";
inline constexpr char kHome[] = "/org/korvo/browser/art/home.png";
inline constexpr char kSearch[] = "/org/korvo/browser/art/search.png";

// Makes the emblem known to the icon theme as "korvo", for the window icon.
void RegisterIcons();
}  // namespace art

}  // namespace browser
