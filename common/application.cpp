#include "common/application.h"

#include <gtk/gtk.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/init.h>
#include <gtkmm/stylecontext.h>

#include "common/dispatch.h"
#include "common/gpu.h"

extern "C" GResource* common_get_resource();

namespace common {

namespace {

// Without a GPU, GTK's OpenGL renderer runs in software, which costs memory and start-up
// time for nothing; cairo draws the same windows directly. Nothing then draws through
// GTK's OpenGL at all, so GTK need not load the software driver when it opens the display,
// some 50 ms of every start. A user's own choice stands.
void PreferSoftwareRendererWithoutGpu() {
  if (UsesGpu()) return;
  g_setenv("GSK_RENDERER", "cairo", FALSE);
  g_setenv("GDK_DEBUG", "gl-disable", FALSE);
}

void LoadStyle() {
  // Naming the bundle keeps the linker from dropping it out of the static library.
  common_get_resource();
  auto css = Gtk::CssProvider::create();
  css->load_from_resource("/org/korvo/common/style.css");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css,
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace

void InitToolkit() {
  static bool done = false;
  if (done) return;
  done = true;
  PreferSoftwareRendererWithoutGpu();
  gtk_init();
  Gtk::init_gtkmm_internals();
  InstallDispatchErrorHandler();
  LoadStyle();
}

int RunApplication(const char* application_id,
                   const std::function<void(Gtk::Application&)>& on_activate) {
  PreferSoftwareRendererWithoutGpu();
  auto app = Gtk::Application::create(application_id, Gio::Application::Flags::NON_UNIQUE);
  app->signal_startup().connect([] {
    InstallDispatchErrorHandler();
    LoadStyle();
  });
  app->signal_activate().connect([&app = *app, &on_activate] { on_activate(app); });
  // The programs take no command line: an empty one keeps GTK from reading ours.
  return app->run(0, nullptr);
}

}  // namespace common
