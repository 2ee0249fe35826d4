// Asks the user where to save a download. The web view takes it as an interface so
// tests can answer it; NativeSaveDialog is the real one.
#pragma once

#include <glibmm/refptr.h>

#include <functional>
#include <memory>
#include <string>

namespace Gtk {
class FileChooserNative;
class Widget;
}  // namespace Gtk

namespace browser {

class SaveDialog {
 public:
  // The path chosen, or empty when the user cancelled.
  using Answer = std::function<void(const std::string& path)>;

  virtual ~SaveDialog() = default;
  // Offers suggested_name for saving, over the window that holds near. Answers once,
  // later, from the event loop. Choosing a file that exists needs the user's consent
  // to replace it before the answer comes.
  virtual void Ask(Gtk::Widget& near, const std::string& suggested_name, Answer answer) = 0;
};

// The platform's save dialog. GTK deprecates FileChooserNative after 4.8, so it is
// used here and nowhere else.
class NativeSaveDialog : public SaveDialog {
 public:
  NativeSaveDialog();
  ~NativeSaveDialog() override;
  void Ask(Gtk::Widget& near, const std::string& suggested_name, Answer answer) override;

 private:
  void Dialog_Response(int response);

  Glib::RefPtr<Gtk::FileChooserNative> dialog_;
  Answer answer_;
};

}  // namespace browser
