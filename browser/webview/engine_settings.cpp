// The engine's session and settings for every view of the browser; see
// engine_settings.h.
#include "browser/webview/engine_settings.h"

#include <webkit/webkit.h>

namespace browser {

namespace {

WebKitNetworkSession* Session() {
  // Cookies, caches and site data live in memory and go with the program.
  static WebKitNetworkSession* session = webkit_network_session_new_ephemeral();
  return session;
}

}  // namespace

WebKitWebView* NewEngineView() {
  auto* view =
      WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "network-session", Session(), nullptr));
  g_object_ref_sink(view);
  return view;
}

}  // namespace browser
