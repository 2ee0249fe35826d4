// Downloads of one web view: a response the view cannot show is offered for saving
// through the save dialog, and the view counts as busy until each download ends. The
// user learns how each ended: a saved file from a desktop notification that says where
// it went, a failure from a message box that names the file and the reason.
#pragma once

#include <glib.h>
#include <sigc++/signal.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/webview/save_dialog.h"
#include "common/message_box.h"

typedef struct _WebKitDownload WebKitDownload;
typedef struct _WebKitNetworkSession WebKitNetworkSession;
typedef struct _WebKitWebView WebKitWebView;

namespace Gtk {
class Widget;
}

namespace browser {

class DownloadSaver {
 public:
  DownloadSaver(WebKitWebView* view, Gtk::Widget& widget, std::unique_ptr<SaveDialog> dialog,
                std::shared_ptr<common::MessageBox> messages);
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
  static void OnFailed(WebKitDownload* download, GError* error, gpointer self);
  static void OnFinished(WebKitDownload* download, gpointer self);

  enum class Ending { kSaved, kCancelled, kFailed };
  struct Download {
    WebKitDownload* download;
    Ending ending = Ending::kSaved;
    std::string reason;
  };

  std::vector<Download>::iterator Find(WebKitDownload* download);
  void Ended(WebKitDownload* download);
  void ReportFailure(const std::string& name, const std::string& reason);

  WebKitWebView* view_;
  WebKitNetworkSession* session_;
  Gtk::Widget& widget_;
  std::unique_ptr<SaveDialog> dialog_;
  std::shared_ptr<common::MessageBox> messages_;
  std::vector<Download> downloads_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  sigc::signal<void()> ended_;
};

}  // namespace browser
