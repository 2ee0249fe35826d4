// How the browser sets up WebKit: one network session for the process, which keeps
// cookies, site data and the HTTP cache between runs in the user's folders, and the
// engine settings its views share.
#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace browser {

// A new engine view with the browser's session and settings, owned by the caller.
WebKitWebView* NewEngineView();

}  // namespace browser
