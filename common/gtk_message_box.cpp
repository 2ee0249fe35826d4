#include "common/gtk_message_box.h"

#include <glibmm/main.h>
#include <gtkmm/box.h>
#include <gtkmm/image.h>

#include <utility>

#include "common/x11_placement.h"

namespace common {

namespace {

constexpr int kIconMask = 0x70;
constexpr int kButtonsMask = 0x0F;
constexpr int kIconPixels = 48;

Gtk::MessageType TypeOf(int style) {
  switch (style & kIconMask) {
    case kCritical:
      return Gtk::MessageType::ERROR;
    case kQuestion:
      return Gtk::MessageType::QUESTION;
    case kExclamation:
      return Gtk::MessageType::WARNING;
    case kInformation:
      return Gtk::MessageType::INFO;
    default:
      return Gtk::MessageType::OTHER;
  }
}

// The focused toplevel, if any.
Gtk::Window* ActiveWindow() {
  for (Gtk::Window* window : Gtk::Window::list_toplevels())
    if (window->is_active()) return window;
  return nullptr;
}

// GTK's message dialog draws no icon of its own; the icon goes before the text, in the
// row that holds the message area.
void AddIcon(Gtk::MessageDialog& dialog, int style) {
  const std::string name = GtkMessageBox::IconName(style);
  auto* row = dynamic_cast<Gtk::Box*>(dialog.get_message_area()->get_parent());
  if (name.empty() || !row) return;
  auto* icon = Gtk::make_managed<Gtk::Image>();
  icon->set_from_icon_name(name);
  icon->set_pixel_size(kIconPixels);
  icon->set_valign(Gtk::Align::START);
  if ((style & kIconMask) == kCritical) icon->add_css_class("error");
  if ((style & kIconMask) == kExclamation) icon->add_css_class("warning");
  row->prepend(*icon);
}

}  // namespace

std::string GtkMessageBox::IconName(int style) {
  // The symbolic forms are the ones GTK itself carries, as scalable images.
  switch (style & kIconMask) {
    case kCritical:
      return "dialog-error-symbolic";
    case kQuestion:
      return "dialog-question-symbolic";
    case kExclamation:
      return "dialog-warning-symbolic";
    case kInformation:
      return "dialog-information-symbolic";
    default:
      return "";
  }
}

Gtk::Window* GtkMessageBox::Owner() const {
  Gtk::Window* owner = owner_ ? owner_() : nullptr;
  if (owner && owner->get_visible()) return owner;
  return ActiveWindow();
}

int GtkMessageBox::Show(const std::string& prompt, int style, const std::string& title) {
  const bool yes_no = (style & kButtonsMask) == kYesNo;
  Gtk::MessageDialog dialog(prompt, false, TypeOf(style),
                            yes_no ? Gtk::ButtonsType::YES_NO : Gtk::ButtonsType::OK, true);
  dialog.set_title(title.empty() ? application_title_ : title);
  dialog.set_hide_on_close(true);
  // A box over its owner stays above it, in its middle also without a window manager
  // that centres it; one without an owner opens wherever new windows do.
  if (Gtk::Window* owner = Owner()) {
    dialog.set_transient_for(*owner);
    CentreOver(dialog, *owner);
  }
  dialog.set_default_response(yes_no ? Gtk::ResponseType::YES : Gtk::ResponseType::OK);
  AddIcon(dialog, style);

  int answer = yes_no ? kNo : kOk;
  auto loop = Glib::MainLoop::create();
  dialog.signal_response().connect([&](int response) {
    if (response == Gtk::ResponseType::YES) answer = kYes;
    loop->quit();
  });
  // A box shown from inside another one's wait is the current one until it closes.
  Gtk::MessageDialog* const outer = std::exchange(current_, &dialog);
  dialog.show();
  loop->run();
  current_ = outer;
  return answer;
}

}  // namespace common
