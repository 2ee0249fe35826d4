// The web view over WebKitGTK; see webkit_view.h.
#include "browser/webview/webkit_view.h"

#include <webkit/webkit.h>

#include "browser/app_title.h"
#include "browser/webview/address.h"
#include "browser/webview/builtin_pages.h"
#include "browser/webview/download_saver.h"
#include "browser/webview/engine_settings.h"
#include "browser/webview/refused_page.h"
#include "common/accessible.h"
#include "common/dispatch.h"
#include "common/errors.h"
#include "common/gtk_message_box.h"

namespace browser {

namespace {

std::string Text(const char* text) { return text ? text : ""; }

// Finding text in the page: whatever its letter case, wrapping round at either end.
constexpr guint32 kFindOptions =
    WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND;

WebKitView& Self(gpointer self) { return *static_cast<WebKitView*>(self); }

// Shown in place of a page whose web content process ended; the view itself lives on.
constexpr const char* kCrashPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>The page stopped working"
    "</title></head><body style=\"font: 10pt sans-serif; margin: 2em\"><h1 style=\"font-size: "
    "14pt\">The page stopped working</h1><p>The process that showed this page ended "
    "unexpectedly. Reload the page or open another address.</p></body></html>";

// A response the view cannot show, or one the server marks as an attachment, is
// saved instead of shown.
bool IsDownload(WebKitResponsePolicyDecision* decision) {
  if (!webkit_response_policy_decision_is_main_frame_main_resource(decision)) return false;
  if (!webkit_response_policy_decision_is_mime_type_supported(decision)) return true;
  WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
  SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
  if (!headers) return false;
  const char* disposition = soup_message_headers_get_one(headers, "Content-Disposition");
  return disposition && g_ascii_strncasecmp(disposition, "attachment", 10) == 0;
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE ||
      !IsDownload(WEBKIT_RESPONSE_POLICY_DECISION(decision)))
    return FALSE;
  webkit_policy_decision_download(decision);
  return TRUE;
}

std::string SchemeOf(const char* uri) {
  // The scheme comes back interned, lower case, and is not ours to free.
  const char* scheme = uri ? g_uri_peek_scheme(uri) : nullptr;
  return scheme ? scheme : "";
}

// Loading a page's request from here bypasses the engine's checks on what a page may
// open, so only web addresses, or addresses of the page's own kind (a local page's
// local links), qualify. A script's empty window or a javascript: or data: address
// would replace the page shown, and is dropped.
bool MayOpenInPlace(WebKitWebView* view, const char* target) {
  const std::string scheme = SchemeOf(target);
  if (scheme == "http" || scheme == "https") return true;
  if (scheme.empty() || scheme == "about" || scheme == "javascript" || scheme == "data")
    return false;
  return scheme == SchemeOf(webkit_web_view_get_uri(view));
}

// A link or script asking for a new window opens its page in this view instead.
GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer) {
  WebKitURIRequest* request = webkit_navigation_action_get_request(action);
  if (MayOpenInPlace(view, webkit_uri_request_get_uri(request)))
    webkit_web_view_load_request(view, request);
  return nullptr;
}

}  // namespace

// The engine's signals, each passed on to its handler without letting an error
// unwind through the engine's C frames.
struct EngineSignals {
  static void LoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self) {
    common::Dispatch([&] { Self(self).Engine_LoadChanged(event); });
  }
  static void NotifyTitle(GObject*, GParamSpec*, gpointer self) {
    common::Dispatch([&] { Self(self).Engine_TitleChanged(); });
  }
  static void NotifyUri(GObject*, GParamSpec*, gpointer self) {
    common::Dispatch([&] { Self(self).Engine_AddressChanged(); });
  }
  // Only watches: whether a navigation may go ahead is decided elsewhere.
  static gboolean DecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                               WebKitPolicyDecisionType type, gpointer self) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* address = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    common::Dispatch([&] { Self(self).Engine_NavigationRequested(Text(address)); });
    return FALSE;
  }
  static void NotifyLoadProgress(GObject*, GParamSpec*, gpointer self) {
    common::Dispatch([&] { Self(self).Engine_LoadProgressChanged(); });
  }
  static void CountedMatches(WebKitFindController*, guint count, gpointer self) {
    common::Dispatch([&] { Self(self).Engine_MatchesCounted(count); });
  }
  static void FailedToFindText(WebKitFindController*, gpointer self) {
    common::Dispatch([&] { Self(self).Engine_MatchesCounted(0); });
  }
  static void WebProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason,
                                   gpointer self) {
    common::Dispatch([&] { Self(self).Engine_WebProcessTerminated(); });
  }
};

WebKitView::WebKitView()
    : WebKitView(std::make_unique<NativeSaveDialog>(),
                 std::make_shared<common::GtkMessageBox>(kApplicationTitle)) {}

WebKitView::WebKitView(std::unique_ptr<SaveDialog> save_dialog,
                       std::shared_ptr<common::MessageBox> messages) {
  view_ = NewEngineView();
  ServeBuiltinPages(webkit_web_view_get_context(view_));
  widget_ = Glib::wrap(GTK_WIDGET(view_));
  common::SetAccessibleName(*widget_, "Page");
  downloads_ =
      std::make_unique<DownloadSaver>(view_, *widget_, std::move(save_dialog), std::move(messages));
  downloads_->signal_ended().connect(sigc::mem_fun(*this, &WebKitView::Downloads_Ended));

  g_signal_connect(view_, "load-changed", G_CALLBACK(EngineSignals::LoadChanged), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(EngineSignals::NotifyTitle), this);
  g_signal_connect(view_, "notify::uri", G_CALLBACK(EngineSignals::NotifyUri), this);
  g_signal_connect(view_, "notify::estimated-load-progress",
                   G_CALLBACK(EngineSignals::NotifyLoadProgress), this);
  WebKitFindController* find = webkit_web_view_get_find_controller(view_);
  g_signal_connect(find, "counted-matches", G_CALLBACK(EngineSignals::CountedMatches), this);
  g_signal_connect(find, "failed-to-find-text", G_CALLBACK(EngineSignals::FailedToFindText), this);
  g_signal_connect(view_, "web-process-terminated", G_CALLBACK(EngineSignals::WebProcessTerminated),
                   this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(EngineSignals::DecidePolicy), this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), nullptr);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), nullptr);
  ShowRefusedAddresses(view_);
}

WebKitView::~WebKitView() {
  g_signal_handlers_disconnect_by_data(webkit_web_view_get_find_controller(view_), this);
  g_signal_handlers_disconnect_by_data(view_, this);
  downloads_.reset();
  // A window that still holds the widget keeps the engine's view alive until it lets go.
  g_object_unref(view_);
}

void WebKitView::Navigate(const std::string& address) {
  webkit_web_view_load_uri(view_, InterpretAddress(address).c_str());
}

void WebKitView::GoBack() {
  if (!webkit_web_view_can_go_back(view_))
    throw common::Error("There is no earlier page to go back to.");
  webkit_web_view_go_back(view_);
}

void WebKitView::GoForward() {
  if (!webkit_web_view_can_go_forward(view_))
    throw common::Error("There is no later page to go forward to.");
  webkit_web_view_go_forward(view_);
}

void WebKitView::GoHome() { webkit_web_view_load_uri(view_, kHomeAddress); }

void WebKitView::GoSearch() { webkit_web_view_load_uri(view_, kSearchAddress); }

void WebKitView::Refresh() { webkit_web_view_reload(view_); }

double WebKitView::ZoomLevel() const { return webkit_web_view_get_zoom_level(view_); }

void WebKitView::ZoomLevel(double level) { webkit_web_view_set_zoom_level(view_, level); }

void WebKitView::RefreshBypassingCache() { webkit_web_view_reload_bypass_cache(view_); }

void WebKitView::Stop() {
  webkit_web_view_stop_loading(view_);
  downloads_->CancelAll();
}

void WebKitView::FindText(const std::string& text) {
  WebKitFindController* find = webkit_web_view_get_find_controller(view_);
  // Counting reports how many there are; the search highlights them and selects one.
  webkit_find_controller_count_matches(find, text.c_str(), kFindOptions, kMostMatchesCounted);
  webkit_find_controller_search(find, text.c_str(), kFindOptions, kMostMatchesCounted);
}

void WebKitView::FindNext() {
  webkit_find_controller_search_next(webkit_web_view_get_find_controller(view_));
}

void WebKitView::FindPrevious() {
  webkit_find_controller_search_previous(webkit_web_view_get_find_controller(view_));
}

void WebKitView::FindFinish() {
  webkit_find_controller_search_finish(webkit_web_view_get_find_controller(view_));
}

std::string WebKitView::LocationName() const {
  const std::string title = Text(webkit_web_view_get_title(view_));
  return title.empty() ? LocationURL() : title;
}

std::string WebKitView::LocationURL() const { return Text(webkit_web_view_get_uri(view_)); }

bool WebKitView::Busy() const {
  return webkit_web_view_is_loading(view_) || downloads_->InProgress();
}

void WebKitView::Engine_LoadChanged(int load_event) {
  if (load_event == WEBKIT_LOAD_STARTED) {
    // A link's load may have made progress before the engine said it started.
    reporting_progress_ = true;
    Engine_LoadProgressChanged();
  } else if (load_event == WEBKIT_LOAD_COMMITTED) {
    reported_address_ = LocationURL();
    requested_address_.clear();
    script_address_reported_ = false;
    location_changed_.emit();
  } else if (load_event == WEBKIT_LOAD_FINISHED) {
    showing_crash_page_ = false;
    // Finished, failed or stopped alike.
    reporting_progress_ = false;
    load_progress_.emit(0);
    // A same-page address change while the page was loading was held back till now.
    ReportLocationIfChanged();
    download_complete_.emit();
  }
}

void WebKitView::Engine_LoadProgressChanged() {
  // The engine completes its estimate only after the load has finished.
  const double progress = webkit_web_view_get_estimated_load_progress(view_);
  if (reporting_progress_ && progress > 0) load_progress_.emit(progress);
}

void WebKitView::Engine_MatchesCounted(unsigned count) {
  // Past the most it counts, the engine reports no number.
  const auto most = static_cast<unsigned>(kMostMatchesCounted);
  matches_counted_.emit(static_cast<int>(count > most ? most + 1 : count));
}

void WebKitView::Engine_TitleChanged() {
  // The engine names the page after its load finished; the window shows the name then.
  if (!webkit_web_view_is_loading(view_)) download_complete_.emit();
}

void WebKitView::Engine_AddressChanged() {
  // While loading, the address is the one asked for; it counts once the load commits.
  // Otherwise the page changed its own address (a #fragment, the history API).
  if (!webkit_web_view_is_loading(view_)) ReportLocationIfChanged();
}

void WebKitView::Engine_NavigationRequested(const std::string& address) {
  requested_address_ = address;
}

void WebKitView::ReportLocationIfChanged() {
  const std::string address = LocationURL();
  if (address == reported_address_) return;
  // A navigation within the page that the engine was asked for (a link to a #fragment)
  // counts every time. A page rewriting its own address by script (the history API,
  // on a timer even) is no navigation: only its first such change is reported, so it
  // cannot flood the address list.
  if (address != requested_address_) {
    if (script_address_reported_) return;
    script_address_reported_ = true;
  }
  reported_address_ = address;
  location_changed_.emit();
}

void WebKitView::Engine_WebProcessTerminated() {
  // A process that ends again while the error page loads would end it again and again;
  // the view then stays empty until the user goes elsewhere.
  if (showing_crash_page_) return;
  showing_crash_page_ = true;
  const std::string address = LocationURL();
  webkit_web_view_load_alternate_html(view_, kCrashPage,
                                      address.empty() ? "about:blank" : address.c_str(), nullptr);
}

void WebKitView::Downloads_Ended() { download_complete_.emit(); }

}  // namespace browser
