// The modal window shown while a long copy or move runs: which file, how many bytes
// of how many are done, and a Cancel button.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <string>

namespace filemanager {

class ProgressWindow : public Gtk::Window {
 public:
  // title says what runs ("Copying file"); file_name is shown as it is, so it must
  // already be readable text.
  ProgressWindow(Gtk::Window* owner, const std::string& title, const std::string& file_name);

  // Shows done of total bytes; before the first call, and while both are 0, no figures.
  void Progress(std::uint64_t done, std::uint64_t total);

  // Raised by Cancel and by closing the window; the window stays until its owner
  // ends the operation.
  sigc::signal<void()>& signal_cancel() { return cancel_; }

  Gtk::Button& CancelButton() { return cmdCancel; }
  const Gtk::Label& FileLabel() const { return lblFile; }
  const Gtk::Label& BytesLabel() const { return lblBytes; }

 private:
  void connect_signals();
  void cmdCancel_Click();
  bool Window_CloseRequest();

  Gtk::Box box{Gtk::Orientation::VERTICAL, 8};
  Gtk::Label lblFile;
  Gtk::ProgressBar barProgress;
  Gtk::Label lblBytes;
  Gtk::Button cmdCancel{"Cancel"};
  sigc::signal<void()> cancel_;
};

}  // namespace filemanager
