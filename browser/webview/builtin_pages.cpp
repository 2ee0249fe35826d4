// Serves korvo://home and korvo://search from the program's resources; see
// builtin_pages.h.
#include "browser/webview/builtin_pages.h"

#include <webkit/webkit.h>

#include <map>
#include <string>

extern "C" GResource* webview_get_resource(void);

namespace browser {

namespace {

constexpr const char* kScheme = "korvo";

std::string ResourcePathFor(const char* uri) {
  static const std::map<std::string, std::string> pages = {
      {"home", "/org/korvo/browser/webview/pages/home.html"},
      {"search", "/org/korvo/browser/webview/pages/search.html"},
  };
  GUri* parsed = g_uri_parse(uri, G_URI_FLAGS_NONE, nullptr);
  if (!parsed) return {};
  const char* host = g_uri_get_host(parsed);
  const std::string page = host ? host : "";
  g_uri_unref(parsed);
  const auto found = pages.find(page);
  return found == pages.end() ? std::string() : found->second;
}

void ServePage(WebKitURISchemeRequest* request, gpointer) {
  const std::string path = ResourcePathFor(webkit_uri_scheme_request_get_uri(request));
  GBytes* bytes = path.empty() ? nullptr
                               : g_resource_lookup_data(webview_get_resource(), path.c_str(),
                                                        G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  if (!bytes) {
    GError* error = g_error_new(G_IO_ERROR, G_IO_ERROR_NOT_FOUND, "There is no page %s.",
                                webkit_uri_scheme_request_get_uri(request));
    webkit_uri_scheme_request_finish_error(request, error);
    g_error_free(error);
    return;
  }
  GInputStream* stream = g_memory_input_stream_new_from_bytes(bytes);
  webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(g_bytes_get_size(bytes)),
                                   "text/html");
  g_object_unref(stream);
  g_bytes_unref(bytes);
}

}  // namespace

void ServeBuiltinPages(WebKitWebContext* context) {
  // A scheme can be registered once per context; the flag lives on the context.
  static GQuark served = g_quark_from_static_string("korvo-builtin-pages");
  if (g_object_get_qdata(G_OBJECT(context), served)) return;
  g_object_set_qdata(G_OBJECT(context), served, GINT_TO_POINTER(1));
  webkit_web_context_register_uri_scheme(context, kScheme, ServePage, nullptr, nullptr);
}

}  // namespace browser
