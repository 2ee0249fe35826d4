// Saves the downloads of one web view where the user says; see download_saver.h.
#include "browser/webview/download_saver.h"

#include <webkit/webkit.h>

#include <algorithm>

#include "common/dispatch.h"

namespace browser {

DownloadSaver::DownloadSaver(WebKitWebView* view, Gtk::Widget& widget,
                             std::unique_ptr<SaveDialog> dialog)
    : view_(view),
      session_(webkit_web_view_get_network_session(view)),
      widget_(widget),
      dialog_(std::move(dialog)) {
  g_object_ref(session_);
  g_signal_connect(session_, "download-started", G_CALLBACK(OnDownloadStarted), this);
}

DownloadSaver::~DownloadSaver() {
  *alive_ = false;
  g_signal_handlers_disconnect_by_data(session_, this);
  for (WebKitDownload* download : downloads_) {
    g_signal_handlers_disconnect_by_data(download, this);
    webkit_download_cancel(download);
    g_object_unref(download);
  }
  g_object_unref(session_);
}

void DownloadSaver::CancelAll() {
  // Cancelling finishes a download at once, which takes it off the list.
  const auto downloads = downloads_;
  for (WebKitDownload* download : downloads) webkit_download_cancel(download);
}

void DownloadSaver::OnDownloadStarted(WebKitNetworkSession*, WebKitDownload* download,
                                      gpointer self) {
  auto& saver = *static_cast<DownloadSaver*>(self);
  // The session is shared by every view of the program; each view takes its own.
  if (webkit_download_get_web_view(download) != saver.view_) return;
  saver.downloads_.push_back(static_cast<WebKitDownload*>(g_object_ref(download)));
  g_signal_connect(download, "decide-destination", G_CALLBACK(OnDecideDestination), self);
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

void DownloadSaver::OnFinished(WebKitDownload* download, gpointer self) {
  common::Dispatch([&] { static_cast<DownloadSaver*>(self)->Ended(download); });
}

void DownloadSaver::Ended(WebKitDownload* download) {
  const auto found = std::find(downloads_.begin(), downloads_.end(), download);
  if (found == downloads_.end()) return;
  downloads_.erase(found);
  g_signal_handlers_disconnect_by_data(download, this);
  g_object_unref(download);
  ended_.emit();
}

}  // namespace browser
