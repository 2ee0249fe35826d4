// The folder list: the open folder's ancestors from "/" down, then its subfolders,
// indented like a tree. A double-click or Enter on an entry opens it.
#pragma once

#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/gridview.h>
#include <gtkmm/listitem.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/signallistitemfactory.h>
#include <gtkmm/singleselection.h>

#include <optional>
#include <string>
#include <vector>

#include "common/client_area.h"
#include "filemanager/lists/folder_loader.h"
#include "filemanager/lists/lazy_row_model.h"
#include "filemanager/lists/list_rows.h"
#include "filemanager/lists/type_ahead.h"

namespace filemanager {

class DirListBox : public common::Control<Gtk::ScrolledWindow> {
 public:
  // Opens on the process's current folder ("/" if that cannot be read).
  explicit DirListBox(FirstRows first_rows = FirstRows::kAtOnce);

  // The open folder, exact bytes, without a trailing "/" except for the root.
  std::string Path() const { return path_; }
  // Opens the folder at path (relative paths count from the current folder). Throws
  // common::Error when it cannot be read, and then changes nothing. Otherwise Change
  // is raised before this returns, when the path differs from the one open; an error
  // a Change handler raises passes on to the caller, with the new folder open. A
  // folder that does not answer at once is shown as loading below the open one, which
  // stays open and usable: Change follows when it opens, Open Failed when it cannot,
  // and nothing when another folder is opened first.
  void Path(const std::string& path);

  // True while a folder is loading.
  bool Opening() const { return !opening_.empty(); }
  // The folder that failed to open last, as Open Failed is raised or Path throws.
  const std::string& Failed() const { return failed_; }
  // The open folder as the file system knew it when it was opened.
  FolderIdentity Identity() const { return identity_; }

  // Reads the open folder's subfolders again, keeping the selected row and the
  // scrolling while that row is there; raises no Change. Throws like Path.
  void Reload();
  // Selects the row of the folder at path and brings it in sight, if it is listed.
  void SelectRow(const std::string& path);

  // The full path of the entry shown in row position; empty past the last row.
  std::string RowPath(guint position) const;

  // True once the list shows every subfolder; a huge folder fills in shortly after
  // Path returns, and Listed is raised then.
  bool Complete() const { return complete_; }

  sigc::signal<void()>& signal_change() { return change_; }
  // An entry the user opened, or a folder that was loading, cannot be read; the list
  // stays where it was.
  sigc::signal<void(const std::string& description)>& signal_open_failed() { return open_failed_; }
  sigc::signal<void()>& signal_listed() { return listed_; }

 private:
  void connect_signals();
  void Start(const std::string& path);
  std::optional<FolderLoader::Opened> Read(const std::string& path);
  void OpenAndTell(const std::string& path, const FolderLoader::Opened& opened);
  void Open(const std::string& path, const FolderLoader::Opened& opened);
  void Show(FolderLoader::Listing listing);
  void ShowOpening(const std::string& path);
  void Redraw();
  void Loader_Opened(const FolderLoader::Opened& opened);
  void Loader_Failed(const std::string& description);
  void Loader_Ready(FolderLoader::Listing listing);
  void View_Activate(guint position);
  bool View_KeyPressed(guint keyval, guint keycode, Gdk::ModifierType state);
  void Row_Setup(const Glib::RefPtr<Gtk::ListItem>& item);
  void Row_Bind(const Glib::RefPtr<Gtk::ListItem>& item);

  std::string path_;
  FolderIdentity identity_;
  std::string opening_;  // the folder loading, if any
  std::string failed_;
  std::vector<std::string> ancestry_;  // "/" down to path_ itself
  FolderLoader::Listing subfolders_;
  bool complete_ = false;
  struct Kept {
    std::string selected;
    double scroll;
  };
  std::optional<Kept> keep_;  // what a reload keeps
  TypeAhead type_ahead_;
  Glib::RefPtr<LazyRowModel> rows_;
  Glib::RefPtr<Gtk::SingleSelection> selection_;
  Glib::RefPtr<Gtk::SignalListItemFactory> factory_;
  Gtk::GridView& view_;
  sigc::signal<void()> change_;
  sigc::signal<void(const std::string&)> open_failed_;
  sigc::signal<void()> listed_;
  FolderLoader loader_;
};

}  // namespace filemanager
