#include "browser/image_list.h"

#include <gio/gio.h>

#include "common/errors.h"
#include "common/icon_theme.h"

// Generated from korvo_art.gresource.xml. Naming it keeps the linker from dropping the
// artwork when the program takes this file from a static library.
extern "C" GResource* korvo_art_get_resource(void);

namespace browser {

ImageList::ImageList(std::initializer_list<std::string> resource_paths) {
  korvo_art_get_resource();
  for (const std::string& path : resource_paths)
    images_.push_back(Gdk::Texture::create_from_resource(path));
}

const Glib::RefPtr<Gdk::Texture>& ImageList::ListImages(int index) const {
  if (index < 1 || index > Count()) throw common::Error("Index out of bounds");
  return images_[index - 1];
}

namespace art {

void RegisterIcons() {
  korvo_art_get_resource();
  static bool registered = false;
  if (registered) return;
  registered = true;
  common::AddIconResourcePath(kIconsPath);
}

}  // namespace art

}  // namespace browser
