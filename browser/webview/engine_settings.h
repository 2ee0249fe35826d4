// How the browser sets up WebKit: one ephemeral network session (the browser keeps
// nothing between runs) and the engine settings its views share.
#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace browser {

// A new engine view with the browser's session and settings, owned by the caller.
WebKitWebView* NewEngineView();

}  // namespace browser
