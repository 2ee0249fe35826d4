#include "filemanager/progress_window.h"

#include <glibmm/miscutils.h>

#include <algorithm>

#include "common/accessible.h"

namespace filemanager {

ProgressWindow::ProgressWindow(Gtk::Window* owner, const std::string& title,
                               const std::string& file_name) {
  set_title(title);
  set_modal(true);
  set_resizable(false);
  set_deletable(true);
  if (owner) set_transient_for(*owner);
  set_default_size(360, -1);

  lblFile.set_text(file_name);
  // A line break in a name shows as a mark rather than breaking the name in two.
  lblFile.set_single_line_mode(true);
  lblFile.set_xalign(0);
  lblFile.set_ellipsize(Pango::EllipsizeMode::MIDDLE);
  lblBytes.set_xalign(0);
  cmdCancel.set_halign(Gtk::Align::END);
  common::SetAccessibleName(lblFile, "File name");
  common::SetAccessibleName(barProgress, "Progress");
  common::SetAccessibleName(lblBytes, "Bytes done");
  common::SetAccessibleName(cmdCancel, "Cancel");

  box.set_margin(12);
  box.append(lblFile);
  box.append(barProgress);
  box.append(lblBytes);
  box.append(cmdCancel);
  set_child(box);
  connect_signals();
}

void ProgressWindow::connect_signals() {
  cmdCancel.signal_clicked().connect(sigc::mem_fun(*this, &ProgressWindow::cmdCancel_Click));
  signal_close_request().connect(sigc::mem_fun(*this, &ProgressWindow::Window_CloseRequest), false);
}

void ProgressWindow::Progress(std::uint64_t done, std::uint64_t total) {
  // Until the operation has said how much there is, no figures are shown rather than
  // "0 bytes of 0 bytes".
  if (done == 0 && total == 0) return;
  barProgress.set_fraction(static_cast<double>(done) / static_cast<double>(std::max(done, total)));
  lblBytes.set_text(Glib::format_size(done) + " of " + Glib::format_size(total));
}

void ProgressWindow::cmdCancel_Click() {
  cmdCancel.set_sensitive(false);
  cancel_.emit();
}

bool ProgressWindow::Window_CloseRequest() {
  cmdCancel_Click();
  return true;
}

}  // namespace filemanager
