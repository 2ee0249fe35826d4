// Downloads of one web view: a response the view cannot show is offered for saving
// through the save dialog, and the view counts as busy until each download ends.
#pragma once

#include <glib.h>
#include <sigc++/signal.h>

#include <memory>
#include <vector>

#include "browser/webview/save_dialog.h"

typedef struct _WebKitDownload WebKitDownload;
typedef struct _WebKitNetworkSession WebKitNetworkSession;
typedef struct _WebKitWebView WebKitWebView;

namespace Gtk {
class Widget;
}

namespace browser {

class DownloadSaver {
 public:
  DownloadSaver(WebKitWebView* view, Gtk::Widget& widget, std::unique_ptr<SaveDialog> dialog);
  ~DownloadSaver();
  DownloadSaver(const DownloadSaver&) = delete;
  DownloadSaver& operator=(const DownloadSaver&) = delete;

  bool InProgress() const { return !downloads_.empty(); }
  // Ends every download of the view that has not finished.
  void CancelAll();
  // Raised when a download of the view ends, saved, failed or cancelled.
  sigc::signal<void()>& signal_ended() { return ended_; }

 private:
  static void OnDownloadStarted(WebKitNetworkSession*, WebKitDownload* download, gpointer self);
  static gboolean OnDecideDestination(WebKitDownload* download, gchar* suggested_name,
                                      gpointer self);
  static void OnFinished(WebKitDownload* download, gpointer self);

  void Ended(WebKitDownload* download);

  WebKitWebView* view_;
  WebKitNetworkSession* session_;
  Gtk::Widget& widget_;
  std::unique_ptr<SaveDialog> dialog_;
  std::vector<WebKitDownload*> downloads_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  sigc::signal<void()> ended_;
};

}  // namespace browser
