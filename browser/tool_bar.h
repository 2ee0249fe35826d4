// The toolbar control: a row of buttons, each showing a picture of an image list above
// its caption. A drop-down button carries an arrow beside it, which holds no entries.
// A click on a button raises ButtonClick with the button's Key.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/widget.h>
#include <sigc++/signal.h>

#include <list>
#include <optional>
#include <string>

#include "browser/image_list.h"
#include "common/client_area.h"

namespace browser {

class ToolBar : public Gtk::Widget {
 public:
  enum class ButtonStyle { Default, DropDown };
  struct ButtonSpec {
    std::string Key;
    std::string Caption;
    std::string ToolTipText;
    int Image;  // position in the image list, from 1
    ButtonStyle Style;
  };

  explicit ToolBar(const ImageList& images);
  ~ToolBar() override;

  // Appends a button at the right end of the row.
  void AddButton(const ButtonSpec& spec);
  // Repaints the toolbar.
  void Refresh();
  // The button with this key; throws common::Error when there is none.
  Gtk::Button& Buttons(const std::string& key);

  sigc::signal<void(const std::string&)>& signal_button_click() { return button_click_; }

 private:
  struct Item {
    std::string key;
    common::Control<Gtk::Button> button;
    Gtk::Box face{Gtk::Orientation::VERTICAL};
    Gtk::Image picture;
    Gtk::Label caption;
    std::optional<common::Control<Gtk::Button>> arrow;
  };

  void button_clicked(const std::string& key);

  const ImageList& images_;
  float next_left_;
  // Declared before the area that holds them, so that the area lets go of them first.
  std::list<Item> items_;
  common::ClientArea area_;
  sigc::signal<void(const std::string&)> button_click_;
};

}  // namespace browser
