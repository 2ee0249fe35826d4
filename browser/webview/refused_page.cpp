// The page for refused addresses; see refused_page.h.
#include "browser/webview/refused_page.h"

#include <glib.h>
#include <webkit/webkit.h>

#include <memory>
#include <string>

#include "browser/webview/restricted_port.h"

namespace browser {

namespace {

std::string Escaped(const std::string& text) {
  const std::unique_ptr<gchar, decltype(&g_free)> escaped(g_markup_escape_text(text.c_str(), -1),
                                                          g_free);
  return escaped.get();
}

std::string RefusedPortPage(const std::string& address, int port) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>This address is not allowed"
         "</title></head><body style=\"font: 10pt sans-serif; margin: 2em\"><h1 style=\"font-size: "
         "14pt\">This address is not allowed</h1><p>The address " +
         Escaped(address) + " asks for port " + std::to_string(port) +
         ", which is kept for services other than web pages, such as mail. The browser does not "
         "connect to it. Check the address, or open another one.</p></body></html>";
}

// Every load the window or a new-window request asks for comes here before it starts; a
// page's own links to such a port are refused inside the page and change nothing.
gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
  const std::string address = uri ? uri : "";
  const auto port = RestrictedPortOf(address);
  if (!port) return FALSE;
  webkit_policy_decision_ignore(decision);
  // Shown under the refused address, so the address box and the history keep it.
  webkit_web_view_load_alternate_html(view, RefusedPortPage(address, *port).c_str(),
                                      address.c_str(), nullptr);
  return TRUE;
}

}  // namespace

void ShowRefusedAddresses(WebKitWebView* view) {
  g_signal_connect(view, "decide-policy", G_CALLBACK(OnDecidePolicy), nullptr);
}

}  // namespace browser
