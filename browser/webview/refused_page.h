// The page the view shows for an address the engine refuses to load. Left to itself,
// the engine answers a refused port by showing an empty page named about:blank, so
// the user would neither learn why nor keep the address typed.
#pragma once

typedef struct _WebKitWebView WebKitWebView;

namespace browser {

// Shows the page for every refused address view is sent to, under that address.
void ShowRefusedAddresses(WebKitWebView* view);

}  // namespace browser
