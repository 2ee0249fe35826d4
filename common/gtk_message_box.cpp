#include "common/gtk_message_box.h"

#include <glibmm/main.h>
#include <gtkmm/application.h>
#include <gtkmm/window.h>

#include <utility>

namespace common {

namespace {

Gtk::MessageType TypeOf(int style) {
  switch (style & 0x70) {
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

// The window the box is modal over: the focused toplevel, if any.
Gtk::Window* ActiveWindow() {
  for (Gtk::Window* window : Gtk::Window::list_toplevels())
    if (window->is_active()) return window;
  return nullptr;
}

}  // namespace

int GtkMessageBox::Show(const std::string& prompt, int style, const std::string& title) {
  const bool yes_no = (style & 0x0F) == kYesNo;
  Gtk::MessageDialog dialog(prompt, false, TypeOf(style),
                            yes_no ? Gtk::ButtonsType::YES_NO : Gtk::ButtonsType::OK, true);
  dialog.set_title(title.empty() ? application_title_ : title);
  dialog.set_hide_on_close(true);
  if (Gtk::Window* owner = ActiveWindow()) dialog.set_transient_for(*owner);
  dialog.set_default_response(yes_no ? Gtk::ResponseType::YES : Gtk::ResponseType::OK);

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
