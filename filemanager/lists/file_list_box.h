// The file list: the files of one folder that match a pattern, in natural order,
// one of them selectable. Folders (and links to folders) are left to the folder list.
#pragma once

#include <giomm/file.h>
#include <giomm/filemonitor.h>
#include <gtkmm/eventcontrollerkey.h>
#include <gtkmm/gridview.h>
#include <gtkmm/listitem.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/signallistitemfactory.h>
#include <gtkmm/singleselection.h>

#include <optional>
#include <string>

#include "common/client_area.h"
#include "filemanager/lists/folder_loader.h"
#include "filemanager/lists/lazy_row_model.h"
#include "filemanager/lists/list_rows.h"
#include "filemanager/lists/type_ahead.h"

namespace filemanager {

class FileListBox : public common::Control<Gtk::ScrolledWindow> {
 public:
  // Opens on the process's current folder ("/" if that cannot be read), every file shown.
  explicit FileListBox(FirstRows first_rows = FirstRows::kAtOnce);

  std::string Pattern() const { return pattern_; }
  // Lists the files that match pattern ("*.*" is every file, see NamePattern). Reads
  // the folder again; throws common::Error when it cannot, and then changes nothing.
  void Pattern(const std::string& pattern);

  // The folder listed, exact bytes, without a trailing "/" except for the root.
  std::string Path() const { return path_; }
  // Lists the folder at path; throws common::Error when it cannot be read, and then
  // changes nothing. The selection is cleared. A folder that does not answer at once
  // is shown as loading, with no files, until it does (or as empty if it fails).
  void Path(const std::string& path);

  // The selected file's name without its folder, exact bytes; empty when none is.
  std::string FileName() const;

  // The files listed, by index in list order: how many, and each one's name (exact
  // bytes; empty for an index out of range). A huge folder counts 0 until it is listed.
  int ListCount() const;
  std::string List(int index) const;
  // The index of the selected file, -1 when none is. Setting it selects that file as a
  // click would, raising Click when the selection changes; -1 clears the selection.
  int ListIndex() const;
  void ListIndex(int index);

  // Reads the folder again and clears the selection; throws like Path.
  void Refresh();
  // Reads the folder again, keeping the selected file selected and the list where it
  // was scrolled to; a selected file that has gone raises Unselected instead. Throws
  // like Path.
  void Reload();

  // True once the list shows the folder's whole content; a huge folder fills in
  // shortly after Path returns, and Listed is raised then.
  bool Complete() const { return complete_; }

  // The user selected a file, by mouse or keyboard.
  sigc::signal<void()>& signal_click() { return click_; }
  // The user opened a file: a double-click or Enter on it.
  sigc::signal<void()>& signal_dbl_click() { return dbl_click_; }
  // The list now shows the whole content of its folder.
  sigc::signal<void()>& signal_listed() { return listed_; }
  // The selected file was no longer there when the folder was read again.
  sigc::signal<void()>& signal_unselected() { return unselected_; }
  // Entries of the folder listed were created, deleted or renamed, by this program or
  // another; raised once the list has read the folder again.
  sigc::signal<void()>& signal_folder_changed() { return folder_changed_; }

 private:
  void connect_signals();
  void Load(const std::string& path, const std::string& pattern, bool keep = false);
  void Show(FolderLoader::Listing listing);
  void Restore();
  void Watch();
  void Monitor_Changed(const Glib::RefPtr<Gio::File>& file, const Glib::RefPtr<Gio::File>& other,
                       Gio::FileMonitor::Event event);
  bool Reload_Due();
  void Loader_Opened(const FolderLoader::Opened& opened);
  void Loader_Failed(const std::string& description);
  void Loader_Ready(FolderLoader::Listing listing);
  void Row_Setup(const Glib::RefPtr<Gtk::ListItem>& item);
  void Row_Bind(const Glib::RefPtr<Gtk::ListItem>& item);
  void Selection_Changed();
  void View_Activate(guint position);
  bool View_KeyPressed(guint keyval, guint keycode, Gdk::ModifierType state);

  std::string path_;
  std::string pattern_ = "*.*";
  FolderLoader::Listing listing_;
  bool complete_ = false;
  bool opening_ = false;
  bool showing_ = false;
  std::optional<std::string> keep_;  // the file to select again once reloaded
  double keep_scroll_ = 0;
  TypeAhead type_ahead_;
  std::string watched_;  // the folder the monitor watches
  Glib::RefPtr<Gio::FileMonitor> monitor_;
  sigc::connection reload_;
  Glib::RefPtr<LazyRowModel> rows_;
  Glib::RefPtr<Gtk::SingleSelection> selection_;
  Glib::RefPtr<Gtk::SignalListItemFactory> factory_;
  Gtk::GridView& view_;
  sigc::signal<void()> click_;
  sigc::signal<void()> listed_;
  sigc::signal<void()> unselected_;
  sigc::signal<void()> folder_changed_;
  sigc::signal<void()> dbl_click_;
  FolderLoader loader_;
};

}  // namespace filemanager
