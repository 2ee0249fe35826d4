// Saves the downloads of one web view where the user says; see download_saver.h.
#include "browser/webview/download_saver.h"

#include <giomm/application.h>
#include <giomm/notification.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <webkit/webkit.h>

#include <algorithm>

#include "common/dispatch.h"

namespace browser {

namespace {

std::string Text(const char* text) { return text ? text : ""; }

// A desktop notification, so that the page stays as it is and nothing waits for the
// user. It goes through the program's application, as the desktop ties it to the
// program; a view without one (in a test) announces nothing.
void AnnounceSaved(const std::string& path) {
  auto application = Gio::Application::get_default();
  if (!application || !application->is_registered()) return;
  auto notification = Gio::Notification::create("Download finished");
  notification->set_body(Glib::path_get_basename(path) + " was saved in " +
                         Glib::path_get_dirname(path) + ".");
  // Saving the same file again replaces its notice rather than adding one.
  application->send_notification("download:" + path, notification);
}

}  // namespace

DownloadSaver::DownloadSaver(WebKitWebView* view, Gtk::Widget& widget,
                             std::unique_ptr<SaveDialog> dialog,
                             std::shared_ptr<common::MessageBox> messages)
    : view_(view),
      session_(webkit_web_view_get_network_session(view)),
      widget_(widget),
      dialog_(std::move(dialog)),
      messages_(std::move(messages)) {
  g_object_ref(session_);
  g_signal_connect(session_, "download-started", G_CALLBACK(OnDownloadStarted), this);
}

DownloadSaver::~DownloadSaver() {
  *alive_ = false;
  g_signal_handlers_disconnect_by_data(session_, this);
  for (const Download& entry : downloads_) {
    g_signal_handlers_disconnect_by_data(entry.download, this);
    webkit_download_cancel(entry.download);
    g_object_unref(entry.download);
  }
  g_object_unref(session_);
}

void DownloadSaver::CancelAll() {
  // Cancelling finishes a download at once, which takes it off the list.
  std::vector<WebKitDownload*> downloads;
  for (const Download& entry : downloads_) downloads.push_back(entry.download);
  for (WebKitDownload* download : downloads) webkit_download_cancel(download);
}

void DownloadSaver::OnDownloadStarted(WebKitNetworkSession*, WebKitDownload* download,
                                      gpointer self) {
  auto& saver = *static_cast<DownloadSaver*>(self);
  // The session is shared by every view of the program; each view takes its own.
  if (webkit_download_get_web_view(download) != saver.view_) return;
  saver.downloads_.push_back(
      {static_cast<WebKitDownload*>(g_object_ref(download)), Ending::kSaved, ""});
  g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), self);
  g_signal_connect(download, "failed", G_CALLBACK(OnFailed), self);
  g_signal_connect(download, "finished", G_CALLBACK(OnFinished), self);
}

gboolean DownloadSaver::OnDecideDestination(WebKitDownload* download, gchar* suggested_name,
                                            gpointer self) {
  auto& saver = *static_cast<DownloadSaver*>(self);
  common::Dispatch([&] {
    std::shared_ptr<WebKitDownload> held(static_cast<WebKitDownload*>(g_object_ref(download)),
                                         g_object_unref);
    saver.dialog_->Ask(saver.widget_, suggested_name ? suggested_name : "",
                       [held, alive = saver.alive_](const std::string& path) {
                         if (!*alive) return;
                         if (path.empty()) {
                           webkit_download_cancel(held.get());
                           return;
                         }
                         // The dialog had the user confirm replacing a file that exists.
                         webkit_download_set_allow_overwrite(held.get(), TRUE);
                         webkit_download_set_destination(held.get(), path.c_str());
                       });
  });
  return TRUE;
}

// The engine says why before it says the download finished.
void DownloadSaver::OnFailed(WebKitDownload* download, GError* error, gpointer self) {
  auto& saver = *static_cast<DownloadSaver*>(self);
  const auto found = saver.Find(download);
  if (found == saver.downloads_.end()) return;
  // The user's own cancel, in the dialog or by Stop, needs no report.
  if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER)) {
    found->ending = Ending::kCancelled;
  } else {
    found->ending = Ending::kFailed;
    found->reason = Text(error->message);
  }
}

void DownloadSaver::OnFinished(WebKitDownload* download, gpointer self) {
  common::Dispatch([&] { static_cast<DownloadSaver*>(self)->Ended(download); });
}

std::vector<DownloadSaver::Download>::iterator DownloadSaver::Find(WebKitDownload* download) {
  return std::find_if(downloads_.begin(), downloads_.end(),
                      [download](const Download& entry) { return entry.download == download; });
}

void DownloadSaver::Ended(WebKitDownload* download) {
  const auto found = Find(download);
  if (found == downloads_.end()) return;
  const Download entry = *found;
  downloads_.erase(found);
  const std::string destination = Text(webkit_download_get_destination(download));
  // Without a destination the download failed before the user chose one.
  const std::string name =
      destination.empty() ? Text(webkit_uri_request_get_uri(webkit_download_get_request(download)))
                          : Glib::path_get_basename(destination);
  g_signal_handlers_disconnect_by_data(download, this);
  g_object_unref(download);
  ended_.emit();
  if (entry.ending == Ending::kSaved) AnnounceSaved(destination);
  if (entry.ending == Ending::kFailed) ReportFailure(name, entry.reason);
}

void DownloadSaver::ReportFailure(const std::string& name, const std::string& reason) {
  // The box waits for the user in a loop of its own, which must not run inside the
  // engine's signal; the window's title has been brought up to date by then.
  Glib::signal_idle().connect_once([messages = messages_, name, reason] {
    messages->Show("The download " + name + " could not be saved: " + reason,
                   common::kCritical | common::kOkOnly);
  });
}

}  // namespace browser
