// The engine's session and settings for every view of the browser; see
// engine_settings.h.
#include "browser/webview/engine_settings.h"

#include <webkit/webkit.h>

#include <string>

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

// Cookies and site data (local storage among them) are kept in the user's data folder,
// and pages in the HTTP cache in the cache folder, so a site still knows the user and
// its pages load sooner on the next run.
WebKitNetworkSession* NewPersistentSession() {
  const std::string data = std::string(g_get_user_data_dir()) + "/korvo";
  const std::string cache = std::string(g_get_user_cache_dir()) + "/korvo";
  WebKitNetworkSession* session = webkit_network_session_new(data.c_str(), cache.c_str());
  webkit_cookie_manager_set_persistent_storage(webkit_network_session_get_cookie_manager(session),
                                               (data + "/cookies.sqlite").c_str(),
                                               WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
  // Sites that follow the user from site to site lose their cookies.
  webkit_network_session_set_itp_enabled(session, TRUE);
  return session;
}

// One session for every window of the process, made with the first view.
WebKitNetworkSession* Session() {
  static WebKitNetworkSession* session = NewPersistentSession();
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
