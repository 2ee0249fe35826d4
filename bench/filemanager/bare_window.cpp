// The floor of tavvel's stack for the start-up benchmark: a gtkmm 4 application with one
// empty window of tavvel's size and title rule, drawn with the renderer tavvel picks.
#include <gtkmm/application.h>
#include <gtkmm/window.h>

#include <memory>

#include "common/gpu.h"

int main(int argc, char** argv) {
  if (!common::UsesGpu()) {
    g_setenv("GSK_RENDERER", "cairo", FALSE);
    g_setenv("GDK_DEBUG", "gl-disable", FALSE);
  }
  auto app = Gtk::Application::create("org.korvo.bench.bare", Gio::Application::Flags::NON_UNIQUE);
  std::unique_ptr<Gtk::Window> window;
  app->signal_activate().connect([&] {
    window = std::make_unique<Gtk::Window>();
    window->set_title("Bare Window");
    window->set_default_size(975, 579);
    app->add_window(*window);
    window->present();
  });
  return app->run(argc, argv);
}
