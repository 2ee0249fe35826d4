// The web view the browser window hosts, as the window sees it: commands, three
// properties, finding text in the page, and its notifications. The real one is
// WebKitView; tests script their own.
#pragma once

#include <gtkmm/widget.h>
#include <sigc++/signal.h>

#include <string>

namespace browser {

class WebView {
 public:
  virtual ~WebView() = default;

  // Each command throws common::Error with a description when it cannot be done.
  virtual void Navigate(const std::string& address) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void GoHome() = 0;
  virtual void GoSearch() = 0;
  virtual void Refresh() = 0;
  // Loads the current page again from the network, past the cache.
  virtual void RefreshBypassingCache() = 0;
  virtual void Stop() = 0;
  // The page's zoom level, 1 being its own size; it holds for the view's life.
  virtual double ZoomLevel() const = 0;
  virtual void ZoomLevel(double level) = 0;

  // Finding text in the page, whatever its letter case, wrapping round at either end.
  // FindText starts a search for text, highlights every match and selects the first,
  // and reports how many there are through signal_matches_counted; FindNext and
  // FindPrevious select the next or previous match; FindFinish clears the highlight.
  virtual void FindText(const std::string& text) = 0;
  virtual void FindNext() = 0;
  virtual void FindPrevious() = 0;
  virtual void FindFinish() = 0;

  // The page's name (its title, or its address when it has none; empty before any
  // page), its address, and whether a navigation or download is in progress.
  virtual std::string LocationName() const = 0;
  virtual std::string LocationURL() const = 0;
  virtual bool Busy() const = 0;

  // Raised whenever a download of the view ends, and again when the page's name
  // arrives after that.
  virtual sigc::signal<void()>& signal_download_complete() = 0;
  // Raised when the address of the page shown changes: a committed navigation of
  // the main frame, or a navigation within the same page (a #fragment). A page that
  // rewrites its own address by script raises it for the first rewrite only.
  virtual sigc::signal<void()>& signal_location_changed() = 0;

  // Raised with the number of matches of the text searched for, 0 when there is none.
  // Counting stops past kMostMatchesCounted: more are reported as one more than it.
  static constexpr int kMostMatchesCounted = 1000;
  virtual sigc::signal<void(int)>& signal_matches_counted() = 0;
  // Raised as a load of the main frame (typed, a command's, or a link's) goes on, with
  // the part done, above 0 and up to 1; and with 0 when it finishes, fails or stops.
  virtual sigc::signal<void(double)>& signal_load_progress() = 0;

  // The widget that shows the pages; the hosting window places it.
  virtual Gtk::Widget& widget() = 0;
};

}  // namespace browser
