// Opens one folder in the file list (or, with "window", in the folder list and then the
// file list, as the file manager's window does on a folder change) inside a shown
// window, and prints how long it took until the complete list was painted, the
// longest the event loop went without running meanwhile, and the process's peak memory.
// Usage: listing_driver FOLDER [files|window]
#include <glibmm/main.h>
#include <gtk/gtk.h>
#include <gtkmm/box.h>
#include <gtkmm/init.h>
#include <gtkmm/window.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "filemanager/lists/dir_list_box.h"
#include "filemanager/lists/file_list_box.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// The peak resident memory of this process, in KiB.
long PeakKib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

void Pump(const std::function<bool()>& done) {
  while (!done()) g_main_context_iteration(nullptr, TRUE);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [files|window]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool window_flow = argc > 2 && std::string(argv[2]) == "window";
  gtk_init();
  Gtk::init_gtkmm_internals();

  Gtk::Window window;
  Gtk::Box column(Gtk::Orientation::VERTICAL);
  filemanager::DirListBox dirs;
  filemanager::FileListBox files;
  dirs.set_size_request(500, 250);
  files.set_size_request(500, 280);
  column.append(dirs);
  column.append(files);
  window.set_child(column);
  window.present();
  bool painted = false;
  Pump([&] { return window.get_mapped(); });
  g_signal_connect(
      gtk_widget_get_frame_clock(GTK_WIDGET(window.gobj())), "after-paint",
      G_CALLBACK(+[](GdkFrameClock*, gpointer flag) { *static_cast<bool*>(flag) = true; }),
      &painted);
  Pump([&] { return painted; });
  dirs.signal_change().connect([&] { files.Path(dirs.Path()); });

  // A 1 ms timer shows how long the event loop stays away while the folder loads.
  auto last_tick = Clock::now();
  Clock::duration longest_stall{};
  auto ticker = Glib::signal_timeout().connect(
      [&] {
        const auto now = Clock::now();
        longest_stall = std::max(longest_stall, now - last_tick);
        last_tick = now;
        return true;
      },
      1);

  const auto start = Clock::now();
  last_tick = start;
  if (window_flow)
    dirs.Path(folder);
  else
    files.Path(folder);
  const auto returned = Clock::now();
  longest_stall = std::max(longest_stall, returned - start);
  Pump([&] { return files.Complete() && dirs.Complete(); });
  const auto complete = Clock::now();
  painted = false;
  files.queue_draw();
  Pump([&] { return painted; });
  const auto shown = Clock::now();
  ticker.disconnect();

  std::printf(
      "rows %u open_ms %.3f path_returned_ms %.3f complete_ms %.3f longest_stall_ms %.3f "
      "peak_kib %ld\n",
      g_list_model_get_n_items(G_LIST_MODEL(filemanager::ViewOf(files).get_model()->gobj())),
      Milliseconds(shown - start), Milliseconds(returned - start), Milliseconds(complete - start),
      Milliseconds(longest_stall), PeakKib());
  return 0;
}
