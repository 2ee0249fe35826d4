#include "common/application.h"

#include <gtk/gtk.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/init.h>
#include <gtkmm/stylecontext.h>

#include <iostream>

#include "common/dispatch.h"
#include "common/gpu.h"
#include "common/version.h"

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

int RunApplication(const char* application_id, int argc, char** argv,
                   const CommandLine& command_line,
                   const std::function<void(Gtk::Application&)>& on_activate) {
  PreferSoftwareRendererWithoutGpu();
  // gtkmm's own constructor of Gtk::Application initialises GTK, which opens the
  // display before the options are read; GTK's application does that at start-up.
  Gtk::init_gtkmm_internals();
  auto app = Glib::wrap(gtk_application_new(application_id, G_APPLICATION_NON_UNIQUE));
  app->add_main_option_entry(Gio::Application::OptionType::BOOL, "version", '\0',
                             "Show the program's version and exit");
  // The words after the options, as bytes: an address or a folder reaches the program
  // as it was typed, whatever the locale's character set.
  g_application_add_main_option(G_APPLICATION(app->gobj()), G_OPTION_REMAINING, 0,
                                G_OPTION_FLAG_NONE, G_OPTION_ARG_FILENAME_ARRAY, "",
                                command_line.parameters);
  app->set_option_context_summary(command_line.summary);
  // Runs after the options are read and before the toolkit opens the display, so that
  // --help, --version and a refused command line need none.
  app->signal_handle_local_options().connect(
      [&command_line](const Glib::RefPtr<Glib::VariantDict>& options) {
        if (options->contains("version")) {
          std::cout << command_line.program << ' ' << kVersion << std::endl;
          return 0;
        }
        std::vector<std::string> words;
        options->lookup_value(G_OPTION_REMAINING, words);
        return command_line.take_words(words);
      },
      false);
  app->signal_startup().connect([] {
    InstallDispatchErrorHandler();
    LoadStyle();
  });
  app->signal_activate().connect([&app = *app, &on_activate] { on_activate(app); });
  return app->run(argc, argv);
}

}  // namespace common
