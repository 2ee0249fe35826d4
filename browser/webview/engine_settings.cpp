// The engine's session and settings for every view of the browser; see
// engine_settings.h.
#include "browser/webview/engine_settings.h"

#include <webkit/webkit.h>

#include "common/gpu.h"

namespace browser {

namespace {

// Without a GPU the engine composites page layers through software OpenGL, in the web
// process and again in ours: a third more memory for the same pixels. Painting the page
// directly costs only effects that need a GPU anyway (WebGL, 3D transforms drawn flat).
void PaintDirectlyWithoutGpu(WebKitWebView* view) {
  static const bool uses_gpu = common::UsesGpu();
  if (!uses_gpu)
    webkit_settings_set_hardware_acceleration_policy(webkit_web_view_get_settings(view),
                                                     WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
}

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
  PaintDirectlyWithoutGpu(view);
  return view;
}

}  // namespace browser
