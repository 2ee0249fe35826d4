// The floor of our stack for the benchmark: a plain GTK 4 window holding a WebKit 6.0
// view with the engine's defaults, titled after the page, opening the address given.
#include <gtk/gtk.h>
#include <webkit/webkit.h>

namespace {

void ShowTitle(WebKitWebView* view, GParamSpec*, gpointer window) {
  const char* title = webkit_web_view_get_title(view);
  gtk_window_set_title(GTK_WINDOW(window), title ? title : "");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  gtk_init();
  GtkWidget* window = gtk_window_new();
  gtk_window_set_default_size(GTK_WINDOW(window), 800, 600);
  GtkWidget* view = webkit_web_view_new();
  gtk_window_set_child(GTK_WINDOW(window), view);
  g_signal_connect(view, "notify::title", G_CALLBACK(ShowTitle), window);
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
  gtk_window_present(GTK_WINDOW(window));
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_signal_connect_swapped(window, "destroy", G_CALLBACK(g_main_loop_quit), loop);
  g_main_loop_run(loop);
  return 0;
}
